#pragma once

#include <array>
#include <span>

#include "link/Frame.h"

namespace devlink {

// Gathers the bytes of the one reply an exchange waits for, from deliveries of any size.
// Bytes beyond the expected length are dropped, and a completed reply stays intact until
// the next reset: late bytes must not overwrite it before the exchange has read it.
class ReplyAssembler {
public:
    // Room for the longest reply any exchange waits for.
    static constexpr int kCapacity = 549;

    // expected 0: the reply is never counted, so it never completes.
    void reset(int expected);
    // Takes what the reply still needs from one delivery; returns the bytes taken.
    std::span<const quint8> take(std::span<const quint8> delivery);

    bool complete() const { return complete_; }
    // Bytes of the current reply so far; back to 0 once it is complete.
    int position() const { return position_; }
    std::span<const quint8> bytes() const { return buffer_; }
    Frame header() const { return FrameFrom(buffer_); }

private:
    std::array<quint8, kCapacity> buffer_{};
    int expected_ = kFrameSize;
    int position_ = 0;
    bool complete_ = false;
};

}  // namespace devlink

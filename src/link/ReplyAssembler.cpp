#include "link/ReplyAssembler.h"

#include <algorithm>

namespace devlink {

void ReplyAssembler::reset(int expected) {
    expected_ = std::clamp(expected, 0, kCapacity);
    position_ = 0;
    complete_ = false;
    buffer_.fill(0);
}

std::span<const quint8> ReplyAssembler::take(std::span<const quint8> delivery) {
    if (expected_ == 0 || complete_) return {};
    const int start = position_;
    const int taken = static_cast<int>(
        std::min<std::size_t>(delivery.size(), static_cast<std::size_t>(expected_ - start)));
    const auto takenBytes = delivery.first(static_cast<std::size_t>(taken));
    std::copy(takenBytes.begin(), takenBytes.end(), buffer_.begin() + start);
    position_ = start + taken;
    if (position_ >= expected_) {
        complete_ = true;
        position_ = 0;
    }
    return takenBytes;
}

}  // namespace devlink

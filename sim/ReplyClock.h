#pragma once

#include <QByteArray>
#include <algorithm>
#include <vector>

#include "Delivery.h"

namespace sim {

// When replies reach the controller. The switcher answers one frame after another, so a reply
// never goes out before the previous one has; with wire time each byte takes 10 bits at 57600
// baud. Times are fractional ms: a delivery is due the moment its last byte has crossed.
class ReplyClock {
public:
    static constexpr int kSplitGapMs = 3;

    void setWireTimeEmulation(bool on) { wireTime_ = on; }
    void setReplyDelayMs(int ms) { replyDelayMs_ = std::max(ms, 0); }

    // When the last of `bytesSoFar` bytes sent at `nowMs` has arrived.
    double arrivalMs(double nowMs, qsizetype bytesSoFar) const;
    // The reply in `pieces` deliveries (at least 1, at most one per byte); nothing for no bytes.
    std::vector<Delivery> schedule(double arrivedMs, const QByteArray& reply, int extraDelayMs,
                                   int pieces);

private:
    double byteMs() const;

    bool wireTime_ = false;
    int replyDelayMs_ = 0;
    double lineFreeMs_ = 0.0;
};

}  // namespace sim

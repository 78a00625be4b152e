#include "ReplyClock.h"

#include <algorithm>

namespace sim {

namespace {
constexpr double kBitsPerByte = 10.0;
constexpr double kBaud = 57600.0;
}  // namespace

double ReplyClock::byteMs() const {
    return wireTime_ ? kBitsPerByte * 1000.0 / kBaud : 0.0;
}

double ReplyClock::arrivalMs(double nowMs, qsizetype bytesSoFar) const {
    return nowMs + static_cast<double>(bytesSoFar) * byteMs();
}

std::vector<Delivery> ReplyClock::schedule(double arrivedMs, const QByteArray& reply,
                                           int extraDelayMs, int pieces) {
    std::vector<Delivery> deliveries;
    if (reply.isEmpty()) {
        return deliveries;
    }
    const auto count = std::clamp<qsizetype>(pieces, 1, reply.size());
    const double start =
        std::max(arrivedMs + replyDelayMs_ + std::max(extraDelayMs, 0), lineFreeMs_);
    qsizetype offset = 0;
    for (qsizetype piece = 0; piece < count; ++piece) {
        const qsizetype length = reply.size() / count + (piece < reply.size() % count ? 1 : 0);
        offset += length;
        const double due = start + static_cast<double>(offset) * byteMs() +
                           static_cast<double>(piece * kSplitGapMs);
        deliveries.push_back({due, reply.sliced(offset - length, length)});
        lineFreeMs_ = due;
    }
    return deliveries;
}

}  // namespace sim

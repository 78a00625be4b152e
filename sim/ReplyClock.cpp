#include "ReplyClock.h"

#include <algorithm>
#include <cmath>

namespace sim {

namespace {
constexpr double kBitsPerByte = 10.0;
constexpr double kBaud = 57600.0;
// Keeps values such as 2.0000000001 from rounding up to the next ms.
constexpr double kRoundingSlack = 1e-6;

qint64 wholeMsAfter(double ms) {
    return static_cast<qint64>(std::ceil(ms - kRoundingSlack));
}
}  // namespace

double ReplyClock::byteMs() const {
    return wireTime_ ? kBitsPerByte * 1000.0 / kBaud : 0.0;
}

double ReplyClock::arrivalMs(qint64 nowMs, qsizetype bytesSoFar) const {
    return static_cast<double>(nowMs) + static_cast<double>(bytesSoFar) * byteMs();
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
        deliveries.push_back({wholeMsAfter(due), reply.sliced(offset - length, length)});
        lineFreeMs_ = due;
    }
    return deliveries;
}

}  // namespace sim

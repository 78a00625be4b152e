#pragma once

#include <QtGlobal>
#include <algorithm>

namespace cli::serve {

// A token bucket: `burst` requests at once, then `perSecond` on average.
class RateLimit {
public:
    RateLimit(double perSecond, double burst)
        : perSecond_(perSecond), burst_(burst), tokens_(burst) {}

    // Takes one request's token at `nowMs`; false when none is left.
    bool take(qint64 nowMs) {
        tokens_ =
            std::min(burst_, tokens_ + static_cast<double>(nowMs - lastMs_) * perSecond_ / 1000);
        lastMs_ = nowMs;
        if (tokens_ < 1) return false;
        tokens_ -= 1;
        return true;
    }

private:
    double perSecond_;
    double burst_;
    double tokens_;
    qint64 lastMs_ = 0;
};

}  // namespace cli::serve

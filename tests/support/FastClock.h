#pragma once

#include <QElapsedTimer>
#include <QThread>

#include "transport/LinkTiming.h"

namespace testing_support {

// Link time runs ten times faster than the wall clock: the reboot wait's 10 s pause takes one
// real second and a reply time-out half of one, while the bytes cross a real terminal.
class FastClock final : public devlink::LinkClock {
public:
    static constexpr int kFactor = 10;
    FastClock() { elapsed_.start(); }
    qint64 nowMs() const override { return elapsed_.nsecsElapsed() * kFactor / 1'000'000; }
    void sleepMs(int ms) override {
        QThread::usleep(static_cast<unsigned long>(ms) * 1000 / kFactor);
    }

private:
    QElapsedTimer elapsed_;
};

}  // namespace testing_support

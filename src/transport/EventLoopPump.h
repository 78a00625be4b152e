#pragma once

#include <QElapsedTimer>
#include <QTimer>

#include "transport/LinkTiming.h"

namespace devlink {

class SteadyClock final : public LinkClock {
public:
    SteadyClock();
    qint64 nowMs() const override;
    void sleepMs(int ms) override;

private:
    QElapsedTimer elapsed_;
};

// Runs the Qt event loop of the calling thread for one tick. Returns as soon as
// bytes arrive, so an exchange is not held up by a fixed sleep.
class EventLoopPump final : public LinkPump {
public:
    EventLoopPump();
    void tick() override;
    void wake() override { woken_ = true; }
    void holdUserInput(bool held) override { held_ = held; }

private:
    QTimer tickTimer_;
    bool woken_ = false;
    bool held_ = false;
};

}  // namespace devlink

#pragma once

#include <QtGlobal>

namespace devlink {

// Time source of the link's waits; tests substitute a virtual one.
class LinkClock {
public:
    virtual ~LinkClock() = default;
    virtual qint64 nowMs() const = 0;
    virtual void sleepMs(int ms) = 0;
};

// One tick of a wait: process pending events, then wait at most 10 ms or until
// bytes arrive. wake() is called when the transport delivers bytes.
class LinkPump {
public:
    virtual ~LinkPump() = default;
    virtual void tick() = 0;
    virtual void wake() = 0;
    // While held, clicks and key presses wait until the hold ends instead of running inside
    // the wait.
    virtual void holdUserInput(bool held) { (void)held; }
};

constexpr int kTickMs = 10;
constexpr int kReplyTimeoutTicks = 500;

}  // namespace devlink

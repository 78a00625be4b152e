#pragma once

#include <QObject>
#include <QTimer>
#include <optional>

#include "core/SwitcherState.h"
#include "link/CommandResult.h"
#include "link/Commands.h"

namespace devlink {
class LinkClock;
class LinkGuard;
class TVKCOMControl;
}  // namespace devlink

namespace core {

// Keeps the switcher state current while nothing else uses the link: reads power, the six
// routes and the twelve port link states one exchange per turn of the event loop, so an
// operator's command waits at most for the exchange in flight. The interval starts short,
// doubles while nothing changes and drops back after any change or write. A line that goes
// away is reopened with a growing back-off and read whole before anything is announced.
class Follower final : public QObject {
    Q_OBJECT

public:
    static constexpr int kFirstIntervalMs = 2000;
    static constexpr int kLongestIntervalMs = 10000;
    static constexpr int kFirstRetryMs = 1000;
    static constexpr int kLongestRetryMs = 30000;

    Follower(devlink::TVKCOMControl& link, devlink::LinkGuard& guard, devlink::LinkClock& clock,
             SwitcherState& state);

    // Off: no reads, no reconnects, nothing scheduled. On: a full read at once.
    void setEnabled(bool on);
    bool enabled() const { return enabled_; }
    // Polling period in force; shorter while things change.
    void setFirstInterval(int ms) { firstIntervalMs_ = ms; }
    int intervalMs() const { return intervalMs_; }

    // Runs the next step if it is due and the link is free. The timer calls it; tests call it
    // after moving the virtual clock.
    void runDue();
    qint64 dueAtMs() const { return dueAtMs_; }
    // Milliseconds until the next reconnect attempt while the line is away, else nothing.
    std::optional<int> reconnectInMs() const;
    // The same in whole seconds, rounded up and at least 1, as operators and clients are told.
    std::optional<int> reconnectInSeconds() const;

    // A command of this program was accepted: read back what it may have changed now, and
    // credit this program with what the read confirms.
    void wroteRoute(int output, int input);
    void wrotePower(bool on);

signals:
    // The line went away and the next attempt is `seconds` away.
    void reconnecting(int seconds);

private:
    enum class Phase { Idle, Reading, Away };

    void schedule(qint64 atMs);
    void startPass();
    void readStep();
    void finishPass();
    void lose();
    void retryLater();
    void reconnect();
    void readSoon();
    std::optional<devlink::CommandResult> poll(devlink::Command command, quint16 port);

    devlink::TVKCOMControl& link_;
    devlink::LinkGuard& guard_;
    devlink::LinkClock& clock_;
    SwitcherState& state_;
    QTimer timer_;

    bool enabled_ = false;
    Phase phase_ = Phase::Idle;
    int firstIntervalMs_ = kFirstIntervalMs;
    int intervalMs_ = kFirstIntervalMs;
    int retryMs_ = kFirstRetryMs;
    qint64 dueAtMs_ = 0;
    int step_ = 0;
    StateReading reading_;
    StateReading here_;  // what this program set and has not yet seen read back
};

}  // namespace core

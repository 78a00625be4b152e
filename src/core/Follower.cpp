#include "core/Follower.h"

#include <algorithm>

#include "link/LinkGuard.h"
#include "link/VKCOMControl.h"
#include "transport/LinkTiming.h"

namespace core {

using devlink::Command;
using devlink::CommandResult;
using devlink::FailureKind;

namespace {

constexpr int kPowerStep = 0;
constexpr int kFirstRouteStep = 1;
constexpr int kFirstInputLinkStep = kFirstRouteStep + kPorts;
constexpr int kFirstOutputLinkStep = kFirstInputLinkStep + kPorts;
constexpr int kSteps = kFirstOutputLinkStep + kPorts;
// How soon to look again while an operation holds the link.
constexpr int kBusyRecheckMs = 50;

LinkState LinkStateOf(const CommandResult& result) {
    const quint8 value = devlink::ReplyByte6(result);
    return value == 0x00   ? LinkState::Connected
           : value == 0xFF ? LinkState::NotConnected
                           : LinkState::Unknown;
}

int Seconds(int ms) {
    return (ms + 999) / 1000;
}

}  // namespace

Follower::Follower(devlink::TVKCOMControl& link, devlink::LinkGuard& guard,
                   devlink::LinkClock& clock, SwitcherState& state)
    : link_(link), guard_(guard), clock_(clock), state_(state) {
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &Follower::runDue);
    connect(&link_, &devlink::TVKCOMControl::lineLost, this, [this] {
        if (enabled_ && phase_ != Phase::Away) lose();
    });
}

void Follower::setEnabled(bool on) {
    if (enabled_ == on) return;
    enabled_ = on;
    timer_.stop();
    reading_ = {};
    here_ = {};
    intervalMs_ = firstIntervalMs_;
    retryMs_ = kFirstRetryMs;
    phase_ = link_.GetConnected() ? Phase::Idle : Phase::Away;
    if (on) schedule(clock_.nowMs());
}

std::optional<int> Follower::reconnectInMs() const {
    if (!enabled_ || phase_ != Phase::Away) return std::nullopt;
    return static_cast<int>(std::max<qint64>(0, dueAtMs_ - clock_.nowMs()));
}

std::optional<int> Follower::reconnectInSeconds() const {
    const auto ms = reconnectInMs();
    if (!ms) return std::nullopt;
    return std::max(1, Seconds(*ms));
}

void Follower::schedule(qint64 atMs) {
    dueAtMs_ = atMs;
    timer_.start(static_cast<int>(std::max<qint64>(0, atMs - clock_.nowMs())));
}

void Follower::runDue() {
    if (!enabled_) return;
    if (clock_.nowMs() < dueAtMs_) {
        schedule(dueAtMs_);
        return;
    }
    // Inside another operation's wait, or inside one of ours: come back when it is over.
    if (!guard_.idle() || guard_.polling() || guard_.operationsWaiting()) {
        schedule(clock_.nowMs() + kBusyRecheckMs);
        return;
    }
    switch (phase_) {
        case Phase::Idle:
            startPass();
            break;
        case Phase::Reading:
            readStep();
            break;
        case Phase::Away:
            reconnect();
            break;
    }
}

void Follower::startPass() {
    phase_ = Phase::Reading;
    step_ = kPowerStep;
    reading_ = {};
    readStep();
}

std::optional<CommandResult> Follower::poll(Command command, quint16 port) {
    if (!link_.GetConnected()) return std::nullopt;
    guard_.setPolling(true);
    const CommandResult result = link_.Poll(devlink::MakeCommand(command, port));
    guard_.setPolling(false);
    // A refusal says nothing of the line; silence or a broken line says it is gone.
    if (result.failure == FailureKind::TimedOut || result.failure == FailureKind::LineLost)
        return std::nullopt;
    return result;
}

void Follower::readStep() {
    Command command = Command::GetPowerStatus;
    quint16 port = 0;
    if (step_ >= kFirstOutputLinkStep) {
        command = Command::GetOutputLinkStatus;
        port = static_cast<quint16>(step_ - kFirstOutputLinkStep + 1);
    } else if (step_ >= kFirstInputLinkStep) {
        command = Command::GetInputLinkStatus;
        port = static_cast<quint16>(step_ - kFirstInputLinkStep + 1);
    } else if (step_ >= kFirstRouteStep) {
        command = Command::GetOutputRoute;
        port = static_cast<quint16>(step_ - kFirstRouteStep + 1);
    }
    const auto result = poll(command, port);
    if (!result) {
        // The lost-line signal may have come inside the exchange and done this already.
        if (phase_ != Phase::Away) lose();
        return;
    }
    if (result->succeeded()) {
        if (command == Command::GetPowerStatus) {
            reading_.power = devlink::ReplyIsOn(*result);
        } else if (command == Command::GetOutputRoute) {
            reading_.routes[port - 1] = devlink::ReplyByte6(*result);
        } else {
            auto& links =
                command == Command::GetInputLinkStatus ? reading_.inputLinks : reading_.outputLinks;
            links[port - 1] = LinkStateOf(*result);
        }
    }
    ++step_;
    // A switcher that is off answers nothing more about its ports.
    if (command == Command::GetPowerStatus && reading_.power != true) step_ = kSteps;
    if (step_ < kSteps) {
        schedule(clock_.nowMs());
        return;
    }
    finishPass();
}

void Follower::finishPass() {
    const StateReading before = state_.known();
    // The line is announced once everything it brought is known.
    state_.apply(reading_, here_);
    state_.setLine(true);
    // What this pass read back is settled, credited or not; a switcher that is off has no
    // routes to confirm.
    if (reading_.power) here_.power.reset();
    for (int output = 0; output < kPorts; ++output) {
        if (reading_.routes[output] || reading_.power != true) here_.routes[output].reset();
    }
    const bool changed = state_.known() != before;
    intervalMs_ = changed ? firstIntervalMs_ : std::min(intervalMs_ * 2, kLongestIntervalMs);
    retryMs_ = kFirstRetryMs;
    phase_ = Phase::Idle;
    // A write during the pass is read back by the next one, at once.
    const bool unconfirmed = here_ != StateReading{};
    schedule(clock_.nowMs() + (unconfirmed ? 0 : intervalMs_));
}

void Follower::lose() {
    link_.Disconnect();
    reading_ = {};
    phase_ = Phase::Away;
    state_.setLine(false);
    retryLater();
}

void Follower::retryLater() {
    const int waitMs = retryMs_;
    retryMs_ = std::min(retryMs_ * 2, kLongestRetryMs);
    schedule(clock_.nowMs() + waitMs);
    emit reconnecting(Seconds(waitMs));
}

void Follower::reconnect() {
    guard_.setPolling(true);
    const bool connected = link_.GetConnected() || link_.Connect();
    guard_.setPolling(false);
    if (!connected) {
        retryLater();
        return;
    }
    startPass();
}

void Follower::wroteRoute(int output, int input) {
    here_.routes.at(output - 1) = input;
    // A value this pass read before the write is stale now.
    reading_.routes.at(output - 1).reset();
    readSoon();
}

void Follower::wrotePower(bool on) {
    here_.power = on;
    reading_.power.reset();
    readSoon();
}

void Follower::readSoon() {
    if (!enabled_ || phase_ == Phase::Away) return;
    intervalMs_ = firstIntervalMs_;
    if (phase_ == Phase::Idle) schedule(clock_.nowMs());
}

}  // namespace core

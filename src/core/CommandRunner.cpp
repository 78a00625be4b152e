#include "core/CommandRunner.h"

#include "core/Follower.h"
#include "core/OperatorTexts.h"
#include "link/VKCOMControl.h"

namespace core {

using devlink::CommandRequest;
using devlink::CommandResult;
using devlink::FailureKind;
using devlink::Runner;
using devlink::StatusPanel;

CommandRunner::CommandRunner(devlink::TVKCOMControl& link, devlink::LinkGuard& flags,
                             CommandHost& host)
    : link_(link), flags_(flags), host_(host) {}

FailureKind CommandRunner::Readiness() {
    if (flags_.stopRequested()) return FailureKind::Stopped;
    // A background read runs only between operations and is over within one exchange; whatever
    // got here inside its wait (a timer, a request) tries again after it.
    if (flags_.polling()) return FailureKind::Busy;
    if (!link_.GetConnected()) {
        host_.connectForCommand();
        if (!link_.GetConnected()) return FailureKind::CannotConnect;
    }
    return LinkIdle() ? FailureKind::None : FailureKind::Busy;
}

bool CommandRunner::LinkIdle() {
    if (flags_.idle()) return true;
    host_.showStatus(StatusPanel::Notes, FailureText(FailureKind::Busy), false);
    return false;
}

CommandResult CommandRunner::ExecCommand(const QString& label, quint8 group, quint8 code,
                                         quint16 p1, quint16 p2, quint16 p3, quint16 p4) {
    CommandResult result;
    result.failure = Readiness();
    if (result.failure != FailureKind::None) return result;
    flags_.setIdle(false);
    host_.showStatus(StatusPanel::Operation, label, false);
    result = link_.Transact(devlink::BuildFrame(group, code, p1, p2, p3, p4));
    if (result.succeeded()) {
        host_.showStatus(StatusPanel::Operation, QStringLiteral("Done"), false);
        reportWrite(group, code, p1, p2);
    }
    flags_.setIdle(true);
    host_.showStatus(StatusPanel::Notes, QString(), false);
    return result;
}

void CommandRunner::reportWrite(quint8 group, quint8 code, quint16 p1, quint16 p2) {
    if (!follower_) return;
    const auto is = [&](devlink::Command command) {
        const devlink::CommandRequest request = devlink::MakeCommand(command);
        return request.group == group && request.code == code;
    };
    if (is(devlink::Command::SetPower)) {
        follower_->wrotePower(p1 == devlink::OnOffValue(true));
    } else if (is(devlink::Command::SetRoute) && p2 >= 1 && p2 <= kPorts) {
        follower_->wroteRoute(p2, p1);
    }
}

CommandResult CommandRunner::ExecPoweredCommand(const QString& label, quint8 group, quint8 code,
                                                quint16 p1, quint16 p2, quint16 p3, quint16 p4) {
    if (host_.powerOn()) return ExecCommand(label, group, code, p1, p2, p3, p4);
    host_.informationBox(FailureText(FailureKind::SwitcherOff));
    CommandResult result;
    result.failure = FailureKind::SwitcherOff;
    return result;
}

CommandResult CommandRunner::Run(const CommandRequest& r) {
    switch (r.runner) {
        case Runner::Exec:
            return ExecCommand(r.label, r.group, r.code, r.p1, r.p2, r.p3, r.p4);
        case Runner::ExecPowered:
            return ExecPoweredCommand(r.label, r.group, r.code, r.p1, r.p2, r.p3, r.p4);
        default:
            Q_ASSERT_X(false, "CommandRunner::Run", "transfers have their own operations");
    }
    return {};
}

}  // namespace core

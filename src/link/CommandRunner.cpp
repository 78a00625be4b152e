#include "link/CommandRunner.h"

#include "link/VKCOMControl.h"

namespace devlink {

CommandRunner::CommandRunner(TVKCOMControl& link, LinkGuard& flags, Hooks hooks)
    : link_(link), flags_(flags), hooks_(std::move(hooks)) {}

bool CommandRunner::LinkReady() {
    if (flags_.stopRequested()) return false;
    if (!link_.GetConnected()) {
        hooks_.connectAction();
        if (!link_.GetConnected()) return false;
    }
    return LinkIdle();
}

bool CommandRunner::LinkIdle() {
    if (flags_.idle()) return true;
    hooks_.showStatus(devlink::StatusPanel::Notes, QStringLiteral("In processing, command ignored"),
                      false);
    return false;
}

CommandResult CommandRunner::ExecCommand(const QString& label, quint8 group, quint8 code,
                                         quint16 p1, quint16 p2, quint16 p3, quint16 p4) {
    CommandResult result;
    if (!LinkReady()) return result;
    flags_.setIdle(false);
    hooks_.showStatus(devlink::StatusPanel::Operation, label, false);
    result = link_.Transact(BuildFrame(group, code, p1, p2, p3, p4));
    if (result.succeeded())
        hooks_.showStatus(devlink::StatusPanel::Operation, QStringLiteral("Done"), false);
    flags_.setIdle(true);
    hooks_.showStatus(devlink::StatusPanel::Notes, QString(), false);
    return result;
}

CommandResult CommandRunner::ExecPoweredCommand(const QString& label, quint8 group, quint8 code,
                                                quint16 p1, quint16 p2, quint16 p3, quint16 p4) {
    if (hooks_.powerOn()) return ExecCommand(label, group, code, p1, p2, p3, p4);
    hooks_.informationBox(QStringLiteral("System is power off, please turn it on first."));
    return {};
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

}  // namespace devlink

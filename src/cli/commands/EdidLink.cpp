#include "cli/commands/EdidLink.h"

#include "cli/program/ExitCode.h"
#include "cli/program/Rejection.h"
#include "core/OperatorTexts.h"
#include "core/operations/EdidChanges.h"
#include "core/operations/EdidTransfers.h"
#include "core/operations/StatusReads.h"
#include "device/EdidCommands.h"
#include "device/EdidFile.h"

namespace cli {

bool outputConnected(core::Connection& session, int output) {
    const quint8 state = core::readOutputConnection(session.runner(), output);
    if (state == devlink::kOutputNotConnected) {
        core::FailureContext where = session.where();
        where.output = output;
        session.fail(devlink::FailureKind::NoDisplay,
                     core::FailureText(devlink::FailureKind::NoDisplay, where));
    }
    return state == devlink::kOutputConnected;
}

QByteArray readOutputEdid(core::Connection& session, int output) {
    if (!outputConnected(session, output)) return {};
    const std::optional<QByteArray> edid =
        core::readEdidImage(session.link(), session.guard(), output);
    if (!edid) return {};
    if (device::checkEdid(*edid) != device::EdidStatus::Ok) {
        session.fail(devlink::FailureKind::InvalidReply, core::EdidContentErrorText());
        return {};
    }
    return edid->left(device::kEdidSize);
}

bool runEdidCommand(core::Connection& session, const device::EdidCommand& command) {
    return core::runEdidChange(session.runner(), command.request()).succeeded();
}

bool writeEdid(core::Connection& session, const device::EdidCommand& write,
               const QByteArray& edid) {
    // The transfer does not pass the wrappers, so the power check is made here, as the window does.
    const std::optional<bool> power = session.readPower();
    if (!power) return false;
    if (!*power) {
        session.fail(devlink::FailureKind::SwitcherOff);
        return false;
    }
    return core::closeEdidWriteGate(session.runner()) &&
           core::sendEdidImage(session.link(), session.guard(), write, edid);
}

QByteArray edidFromFile(const QString& path) {
    const device::EdidReadResult file = device::readEdidFile(path);
    switch (file.status) {
        case device::EdidStatus::Ok:
            return file.edid;
        case device::EdidStatus::NotARegularFile:
        case device::EdidStatus::CannotOpen:
        case device::EdidStatus::CannotRead:
            throw Rejection(kExitBadFile, path + QStringLiteral(" can not be read."));
        default:
            throw Rejection(kExitBadFile, core::EdidContentErrorText());
    }
}

void edidToFile(const QString& path, const QByteArray& edid) {
    if (device::writeEdidFile(path, edid) != device::EdidStatus::Ok)
        throw Rejection(kExitBadFile, path + QStringLiteral(" can not be written."));
}

}  // namespace cli

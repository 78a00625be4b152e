#include "core/OperatorTexts.h"

#include "link/VKCOMControl.h"

namespace core {

using devlink::FailureKind;

namespace {

QString connectFailureText(const FailureContext& where) {
    if (where.comMode) {
        const QString verb = where.connected ? QStringLiteral("Close") : QStringLiteral("Open");
        return verb + QStringLiteral(" COM [") + where.port + QStringLiteral("] failed");
    }
    const QString verb = where.connected ? QStringLiteral("Disconnect") : QStringLiteral("Connect");
    return verb + QLatin1Char(' ') + where.address + QStringLiteral(" failed");
}

}  // namespace

FailureContext FailureContextOf(const devlink::TVKCOMControl& link) {
    FailureContext where;
    where.comMode = link.ControlMode() == devlink::cmCOM;
    where.port = link.GetComPort();
    where.address = link.DeviceIP();
    where.connected = link.GetConnected();
    return where;
}

QString FailureText(FailureKind kind, const FailureContext& where) {
    switch (kind) {
        case FailureKind::None:
        case FailureKind::Stopped:
            return {};
        case FailureKind::TimedOut:
            return QStringLiteral("Time out!");
        case FailureKind::InvalidReply:
            return QStringLiteral("Data invalid!");
        case FailureKind::Refused:
        case FailureKind::NoReply:
            return QStringLiteral("Send data failed!");
        case FailureKind::LineLost:
            return where.comMode ? QStringLiteral("COM access failed!")
                                 : QStringLiteral("TCP control failed!");
        case FailureKind::CannotConnect:
            return connectFailureText(where);
        case FailureKind::Busy:
            return QStringLiteral("In processing, command ignored");
        case FailureKind::SwitcherOff:
            return QStringLiteral("System is power off, please turn it on first.");
        case FailureKind::NoDisplay:
            return QStringLiteral(
                       "EDID can not be read because output not connected.\r\n[Output%1]")
                .arg(where.output);
        case FailureKind::BadFile:
            return where.detail;
    }
    Q_UNREACHABLE();
}

QString EdidContentErrorText() {
    return QStringLiteral("EDID content error.");
}

QString PowerOffRefreshText() {
    return QStringLiteral("System is power off, please turn it on first to refresh more status.");
}

QString ModuleQueryFailedText() {
    return QStringLiteral("Query TCP Module failed");
}

}  // namespace core

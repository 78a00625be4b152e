#include "core/operations/FirmwareUpgrade.h"

#include <QFileInfo>

#include "core/CommandRunner.h"
#include "firmware/FirmwareFile.h"
#include "firmware/FirmwareTransfer.h"
#include "link/VKCOMControl.h"

namespace core {

using devlink::FailureKind;
using devlink::StatusPanel;

namespace {

const QString kIdleCaption = QStringLiteral("Upgrade progress");

// Two bytes of a 16-bit word, high byte first, as "h.l".
QString BytePair(quint16 word) {
    return QString::number(word >> 8) + QLatin1Char('.') + QString::number(word & 0xFF);
}

}  // namespace

FirmwareUpgrade::FirmwareUpgrade(devlink::TVKCOMControl& link, devlink::LinkGuard& guard,
                                 CommandRunner& runner, UpgradeProgress& progress)
    : link_(link), guard_(guard), runner_(runner), progress_(progress) {}

void FirmwareUpgrade::notified(const devlink::LinkNotification& n) {
    switch (n.message) {
        case devlink::WM_LINK_PARTREFUSED:
            partDeclined(static_cast<quint16>(n.wParam), static_cast<quint16>(n.lParam));
            break;
        case devlink::WM_LINK_PROGRESS:
            partProgress(static_cast<quint16>(n.wParam), static_cast<quint16>(n.lParam));
            break;
        case devlink::WM_LINK_STATUS:
            rebootFailed_ |= n.text == QLatin1String(devlink::kRebootFailedText);
            progress_.addRebootLine(n.text, n.lParam == 1);
            break;
        default:
            break;
    }
}

void FirmwareUpgrade::partDeclined(quint16 groupAndCode, quint16 p1) {
    message(QStringLiteral("Write to Part_") + BytePair(groupAndCode) + QLatin1Char('.') +
            BytePair(p1) + QStringLiteral(" failed"));
    sectionDeclined_ = true;
    anyDeclined_ = true;
}

void FirmwareUpgrade::partProgress(quint16 part, quint16 percent) {
    if (percent == lastProgress_) return;
    progress_.showProgress(QStringLiteral("Upgrading Part_") + BytePair(part), percent);
    lastProgress_ = percent;
}

void FirmwareUpgrade::message(const QString& line) {
    lastLine_ = line;
    progress_.addMessage(line);
}

OperationResult FirmwareUpgrade::badFile(const QString& problem) {
    message(problem);
    return {FailureKind::BadFile, problem};
}

OperationResult FirmwareUpgrade::run(const QString& path) {
    anyDeclined_ = false;
    rebootFailed_ = false;
    firstDeclinedAlert_.clear();
    lastLine_.clear();
    if (!QFileInfo::exists(path)) {
        return badFile(device::FirmwareFileProblemText(
            path, device::FileReadResult{{}, device::FileReadStatus::Missing, 0}));
    }
    const FailureKind readiness = runner_.Readiness();
    if (readiness != FailureKind::None) return {readiness, {}};
    progress_.setUpgrading(true);
    progress_.showStatus(StatusPanel::Notes, QString(), false);
    const OperationResult result = sendAndReboot(path);
    progress_.setUpgrading(false);
    progress_.showStatus(StatusPanel::Notes, QString(), false);
    if (anyDeclined_) {
        return {FailureKind::Refused,
                firstDeclinedAlert_.isEmpty() ? lastLine_ : firstDeclinedAlert_};
    }
    if (rebootFailed_) {
        return {FailureKind::Refused, QString::fromLatin1(devlink::kRebootFailedText)};
    }
    return result;
}

OperationResult FirmwareUpgrade::sendAndReboot(const QString& path) {
    device::FileReadResult file = device::ReadFirmwareFile(path);
    // A directory, a FIFO or a file larger than any firmware is never read whole.
    if (!file.ok()) return badFile(device::FirmwareFileProblemText(path, file));
    OperationResult sent;
    {
        const devlink::LinkBusyScope busy(guard_);
        device::FirmwareReader reader(std::move(file.bytes));
        sent = sendSections(reader);
    }
    if (!sent.ok()) return sent;
    if (sectionDeclined_) return {FailureKind::Refused, {}};
    if (guard_.stopRequested()) return {FailureKind::Stopped, {}};
    return reboot();
}

OperationResult FirmwareUpgrade::sendSections(device::FirmwareReader& reader) {
    devlink::FirmwareTransfer transfer(link_);
    FailureKind failure = FailureKind::None;
    do {
        progress_.showProgress(kIdleCaption, 0);
        lastProgress_ = 0;
        sectionDeclined_ = false;
        const device::SectionHeaderRead header = reader.ReadSectionHeader();
        if (!header.good()) return badFile(device::SectionProblemText(header));
        link_.OutStream() = reader.ReadSectionImage(header);
        const QString label = header.label();
        const QString upgrading = QStringLiteral("Upgrading ") + label + QStringLiteral(" ...");
        progress_.showStatus(StatusPanel::Operation, upgrading, false);
        message(upgrading);
        failure = FailureOf(header.fields().code == device::kStagedPartCode
                                ? transfer.WritePartStaged(header.frame())
                                : transfer.WritePart(header.frame()));
        if (failure != FailureKind::None) {
            message(QStringLiteral("Upgrading ") + label + QStringLiteral(" failed"));
        } else if (sectionDeclined_) {
            const QString alert = QStringLiteral("Write ") + label + QStringLiteral(" failed");
            if (firstDeclinedAlert_.isEmpty()) firstDeclinedAlert_ = alert;
            progress_.showStatus(StatusPanel::Operation, alert, true);
        } else {
            message(label + QStringLiteral(" upgrading complete"));
            progress_.showStatus(StatusPanel::Operation, QStringLiteral("Done"), false);
        }
    } while (!reader.AtEnd() && failure == FailureKind::None && !guard_.stopRequested());
    link_.OutStream().clear();
    return {failure, {}};
}

OperationResult FirmwareUpgrade::reboot() {
    runner_.ExecCommand(QStringLiteral("Reboot system ..."), 0x80, 0x02, 0x0F);
    devlink::CommandResult result;
    {
        const devlink::LinkBusyScope busy(guard_);
        result = devlink::FirmwareTransfer(link_).RebootWait();
    }
    if (!result.succeeded()) return {FailureOf(result), {}};
    message(QStringLiteral("Firmware upgrade successfully!"));
    progress_.showStatus(StatusPanel::Operation, QStringLiteral("Firmware upgrade successfully"),
                         false);
    return {};
}

}  // namespace core

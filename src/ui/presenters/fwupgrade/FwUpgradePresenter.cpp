#include "ui/presenters/fwupgrade/FwUpgradePresenter.h"

#include <QFileInfo>

#include "firmware/FirmwareFile.h"
#include "firmware/FirmwareTransfer.h"

namespace ui {

namespace {

const QString kIdleCaption = QStringLiteral("Upgrade progress");

// Two bytes of a 16-bit word, high byte first, as "h.l".
QString BytePair(quint16 word) {
    return QString::number(word >> 8) + QLatin1Char('.') + QString::number(word & 0xFF);
}

}  // namespace

FwUpgradePresenter::FwUpgradePresenter(devlink::TVKCOMControl& link, devlink::LinkGuard& flags,
                                       core::CommandRunner& runner, FwUpgradeView& view,
                                       Dialogs& dialogs)
    : link_(link), flags_(flags), runner_(runner), view_(view), dialogs_(dialogs) {}

void FwUpgradePresenter::btnOpenFWClick() {
    const QString path = dialogs_.openFileName(QStringLiteral("Firmware file(*.fw)|*.fw"));
    if (path.isEmpty()) return;
    view_.setFirmwarePath(path);
    ShowFileSummary();
}

void FwUpgradePresenter::ShowFileSummary() {
    const QString path = view_.firmwarePath();
    if (path.isEmpty()) {
        view_.setFileSummary(QString());
        return;
    }
    const device::FileReadResult file = device::ReadFirmwareFile(path);
    view_.setFileSummary(file.ok()
                             ? device::FirmwareSummaryText(device::SummariseFirmware(file.bytes))
                             : device::FirmwareFileProblemText(path, file));
}

void FwUpgradePresenter::PartRefused(quint16 groupAndCode, quint16 p1) {
    view_.addMessage(QStringLiteral("Write to Part_") + BytePair(groupAndCode) + QLatin1Char('.') +
                     BytePair(p1) + QStringLiteral(" failed"));
    partFailed_ = true;
}

void FwUpgradePresenter::PartProgress(quint16 part, quint16 percent) {
    if (percent == lastProgress_) return;
    view_.showProgress(QStringLiteral("Upgrading Part_") + BytePair(part), percent);
    lastProgress_ = percent;
}

void FwUpgradePresenter::btnUpgradeClick() {
    const QString path = view_.firmwarePath();
    if (!QFileInfo::exists(path)) {
        view_.addMessage(device::FirmwareFileProblemText(
            path, device::FileReadResult{{}, device::FileReadStatus::Missing, 0}));
        return;
    }
    if (!runner_.LinkReady()) return;
    view_.setUpgrading(true);
    view_.showStatus(devlink::StatusPanel::Notes, QString(), false);
    device::FileReadResult file = device::ReadFirmwareFile(path);
    bool lastSent = false;
    if (!file.ok()) {
        // A directory, a FIFO or a file larger than any firmware is never read whole.
        view_.addMessage(device::FirmwareFileProblemText(path, file));
    } else {
        const devlink::LinkBusyScope busy(flags_);
        device::FirmwareReader reader(std::move(file.bytes));
        lastSent = SendSections(reader);
    }
    if (lastSent && !partFailed_ && !flags_.stopRequested()) Reboot();
    view_.setUpgrading(false);
    view_.showStatus(devlink::StatusPanel::Notes, QString(), false);
}

bool FwUpgradePresenter::SendSections(device::FirmwareReader& reader) {
    devlink::FirmwareTransfer transfer(link_);
    bool sent = false;
    do {
        view_.showProgress(kIdleCaption, 0);
        lastProgress_ = 0;
        partFailed_ = false;
        const device::SectionHeaderRead header = reader.ReadSectionHeader();
        if (!header.good()) {
            view_.addMessage(device::SectionProblemText(header));
            return false;
        }
        link_.OutStream() = reader.ReadSectionImage(header);
        const QString label = header.label();
        const QString upgrading = QStringLiteral("Upgrading ") + label + QStringLiteral(" ...");
        view_.showStatus(devlink::StatusPanel::Operation, upgrading, false);
        view_.addMessage(upgrading);
        const devlink::CommandResult result = header.fields().code == device::kStagedPartCode
                                                  ? transfer.WritePartStaged(header.frame())
                                                  : transfer.WritePart(header.frame());
        sent = result.succeeded();
        if (!sent) {
            view_.addMessage(QStringLiteral("Upgrading ") + label + QStringLiteral(" failed"));
        } else if (partFailed_) {
            view_.showStatus(devlink::StatusPanel::Operation,
                             QStringLiteral("Write ") + label + QStringLiteral(" failed"), true);
        } else {
            view_.addMessage(label + QStringLiteral(" upgrading complete"));
            view_.showStatus(devlink::StatusPanel::Operation, QStringLiteral("Done"), false);
        }
    } while (!reader.AtEnd() && sent && !flags_.stopRequested());
    link_.OutStream().clear();
    return sent;
}

void FwUpgradePresenter::Reboot() {
    runner_.ExecCommand(QStringLiteral("Reboot system ..."), 0x80, 0x02, 0x0F);
    devlink::CommandResult result;
    {
        const devlink::LinkBusyScope busy(flags_);
        result = devlink::FirmwareTransfer(link_).RebootWait();
    }
    if (!result.succeeded()) return;
    view_.addMessage(QStringLiteral("Firmware upgrade successfully!"));
    view_.showStatus(devlink::StatusPanel::Operation,
                     QStringLiteral("Firmware upgrade successfully"), false);
}

}  // namespace ui

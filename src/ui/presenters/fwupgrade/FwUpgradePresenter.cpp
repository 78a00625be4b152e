#include "ui/presenters/fwupgrade/FwUpgradePresenter.h"

#include "firmware/FirmwareFile.h"

namespace ui {

FwUpgradePresenter::FwUpgradePresenter(devlink::TVKCOMControl& link, devlink::LinkGuard& flags,
                                       core::CommandRunner& runner, FwUpgradeView& view,
                                       Dialogs& dialogs)
    : view_(view), dialogs_(dialogs), upgrade_(link, flags, runner, view) {}

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

void FwUpgradePresenter::btnUpgradeClick() {
    // The tab's lines and status texts have said everything as the upgrade went.
    upgrade_.run(view_.firmwarePath());
}

}  // namespace ui

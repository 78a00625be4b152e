#include "core/OperatorTexts.h"
#include "core/operations/EdidChanges.h"
#include "core/operations/EdidTransfers.h"
#include "device/EdidCommands.h"
#include "ui/presenters/edid/EdidPresenter.h"

namespace ui {

void EdidPresenter::btnReadEDIDDataClick() {
    if (!ChosenOrComplain({EdidList::ReadOutput})) return;
    const int output = Selected(EdidList::ReadOutput);
    ClearEdidGrid();
    if (!OutputConnected(output) || !runner_.LinkReady()) return;
    view_.showStatus(devlink::StatusPanel::Notes, QString(), false);
    view_.showStatus(devlink::StatusPanel::Operation, QStringLiteral("Reading..."), false);
    if (const std::optional<QByteArray> image = core::readEdidImage(link_, flags_, output)) {
        view_.showStatus(devlink::StatusPanel::Operation, QStringLiteral("Done"), false);
        // An unusable image leaves the grid empty, without a message.
        LoadEdidIntoGrid(*image);
    }
    view_.showStatus(devlink::StatusPanel::Notes, QString(), false);
}

void EdidPresenter::btnDownloadEDIDClick() {
    const std::optional<device::EdidCommand> write =
        device::downloadEdidCommand(Selected(EdidList::DownloadInput));
    if (!write) {
        view_.showStatus(devlink::StatusPanel::Notes, QStringLiteral("Select list item first"),
                         false);
        return;
    }
    if (!status_.PowerOn()) {
        dialogs_.information(core::FailureText(devlink::FailureKind::SwitcherOff));
        return;
    }
    // Kept aside until the link is free: a transfer still running reads the out-stream.
    QByteArray edid;
    if (!GridToEdid(edid)) {
        view_.showStatus(devlink::StatusPanel::Notes,
                         QStringLiteral("EDID Content empty, open EDID file first"), false);
        return;
    }
    view_.showStatus(devlink::StatusPanel::Notes, QString(), false);
    const QString label = QStringLiteral("Downloading...");
    if (!core::closeEdidWriteGate(runner_, label)) return;
    view_.showStatus(devlink::StatusPanel::Operation, label, false);
    if (core::sendEdidImage(link_, flags_, *write, edid)) {
        view_.showStatus(devlink::StatusPanel::Operation, QStringLiteral("Done"), false);
    }
    view_.showStatus(devlink::StatusPanel::Notes, QString(), false);
}

}  // namespace ui

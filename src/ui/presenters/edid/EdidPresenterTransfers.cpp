#include "core/OperatorTexts.h"
#include "device/Edid.h"
#include "device/EdidCommands.h"
#include "ui/presenters/edid/EdidPresenter.h"

// Read and Download run their bulk transfers on the link directly, not through the
// command wrappers, so they keep the link busy themselves.
namespace ui {

void EdidPresenter::btnReadEDIDDataClick() {
    if (!ChosenOrComplain({EdidList::ReadOutput})) return;
    const int output = Selected(EdidList::ReadOutput);
    ClearEdidGrid();
    if (!OutputConnected(output) || !runner_.LinkReady()) return;
    view_.showStatus(devlink::StatusPanel::Notes, QString(), false);
    {
        const devlink::LinkBusyScope busy(flags_);
        view_.showStatus(devlink::StatusPanel::Operation, QStringLiteral("Reading..."), false);
        const devlink::CommandRequest read = device::readEdidCommand(output).request();
        if (link_
                .ReadData(devlink::BuildFrame(read.group, read.code, read.p1),
                          device::kEdidSizeWithTrailer)
                .succeeded()) {
            view_.showStatus(devlink::StatusPanel::Operation, QStringLiteral("Done"), false);
            // An unusable image leaves the grid empty, without a message.
            LoadEdidIntoGrid(link_.InStream());
        }
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
    if (!CloseWriteGate(label)) return;
    {
        const devlink::LinkBusyScope busy(flags_);
        view_.showStatus(devlink::StatusPanel::Operation, label, false);
        link_.OutStream() = edid;
        const devlink::CommandRequest r = write->request();
        if (link_.WriteData(devlink::BuildFrame(r.group, r.code, r.p1, r.p2, r.p3, r.p4))
                .succeeded()) {
            view_.showStatus(devlink::StatusPanel::Operation, QStringLiteral("Done"), false);
        }
    }
    view_.showStatus(devlink::StatusPanel::Notes, QString(), false);
}

}  // namespace ui

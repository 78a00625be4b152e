#include <QFileInfo>

#include "core/OperatorTexts.h"
#include "device/EdidFile.h"
#include "ui/presenters/edid/EdidFileName.h"
#include "ui/presenters/edid/EdidPresenter.h"

// EDID image files: opening one into the grid and saving the grid.
namespace ui {

namespace {

const QString kFileFilter = QStringLiteral("Binary file(*.bin)|*.bin");

}  // namespace

void EdidPresenter::BitBtn1Click() {
    const QString path = dialogs_.openFileName(kFileFilter);
    if (path.isEmpty()) return;
    view_.setOpenPath(path);
    // The link's out-stream is left alone: a download still running reads from it, and
    // Download fills it from the grid anyway. Any unreadable file comes back empty.
    if (!LoadEdidIntoGrid(device::readEdidFile(path).edid)) {
        dialogs_.error(core::EdidContentErrorText());
    }
}

void EdidPresenter::btnSaveEDIDClick() {
    QByteArray edid;
    if (!GridToEdid(edid)) {
        dialogs_.information(QStringLiteral("EDID Content empty."));
        return;
    }
    const QString chosen = dialogs_.saveFileName(kFileFilter);
    if (chosen.isEmpty()) return;
    const QString path = edidSaveFileName(chosen);
    view_.setSavePath(path);
    if (QFileInfo::exists(path) &&
        !dialogs_.question(path + QStringLiteral(" exists, overwrite it?"))) {
        return;
    }
    if (device::writeEdidFile(path, edid) != device::EdidStatus::Ok) {
        dialogs_.error(path + QStringLiteral(" can not be written."));
    }
}

}  // namespace ui

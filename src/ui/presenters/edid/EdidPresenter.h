#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

#include "core/CommandRunner.h"
#include "device/EdidCommands.h"
#include "link/LinkGuard.h"
#include "link/VKCOMControl.h"
#include "settings/SettingsData.h"
#include "ui/presenters/Dialogs.h"
#include "ui/presenters/edid/EdidView.h"
#include "ui/presenters/general/DeviceStatusPresenter.h"

namespace ui {

// The "EDID control" tab: EDID modes, copies from outputs, and the EDID grid with its
// reads, downloads and files. The grid is the one working copy of an EDID.
class EdidPresenter {
public:
    EdidPresenter(core::CommandRunner& runner, devlink::TVKCOMControl& link,
                  devlink::LinkGuard& flags, DeviceStatusPresenter& status, EdidView& view,
                  Dialogs& dialogs);

    // The mode list as the window keeps it: the designed entries without "Auto EDID".
    void FillEdidModeList();
    // Refills the five port lists from the tags, keeping each list's selected index
    // (the first entry for a list that had none).
    void RebuildEdidLists(const config::PortTags& tags);
    // Selects in each list the entry with exactly the saved text (else the first entry)
    // and restores both paths. The lists must be filled first.
    void LoadEdidChoices(const config::EdidChoices& choices);
    config::EdidChoices SaveEdidChoices() const;

    // Draws the grid's captions. Data failing the EDID check, or none, leaves the data
    // cells as they are and gives false.
    bool LoadEdidIntoGrid(const std::optional<QByteArray>& data = std::nullopt);
    // The 256 bytes of a completely filled grid; false (and target empty) otherwise.
    bool GridToEdid(QByteArray& target) const;
    void ClearEdidGrid();

    void btnSetEDIDModeClick();
    void btnCopyEDIDClick();
    void btnReadEDIDDataClick();
    void btnDownloadEDIDClick();
    void btnSaveEDIDClick();
    void BitBtn1Click();  // open a file into the grid
    void btnClearEDIDContentClick() { ClearEdidGrid(); }

private:
    // The selected index of a list, 0 when nothing is chosen.
    int Selected(EdidList list) const;
    bool ChosenOrComplain(std::initializer_list<EdidList> lists);
    // False, after telling the operator when needed, unless the output can be read.
    bool OutputConnected(int output);

    core::CommandRunner& runner_;
    devlink::TVKCOMControl& link_;
    devlink::LinkGuard& flags_;
    DeviceStatusPresenter& status_;
    EdidView& view_;
    Dialogs& dialogs_;
};

}  // namespace ui

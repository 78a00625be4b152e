#pragma once

#include <QString>

#include "core/CommandRunner.h"
#include "link/CommandResult.h"
#include "link/LinkGuard.h"
#include "link/VKCOMControl.h"
#include "ui/presenters/Dialogs.h"
#include "ui/presenters/fwupgrade/FwUpgradeView.h"

namespace device {
class FirmwareReader;
}

namespace ui {

// The "FW upgrade" tab: choosing a merged firmware file, sending its sections one by one,
// and rebooting the switcher when every part went through.
class FwUpgradePresenter {
public:
    FwUpgradePresenter(devlink::TVKCOMControl& link, devlink::LinkGuard& flags,
                       core::CommandRunner& runner, FwUpgradeView& view, Dialogs& dialogs);

    void btnOpenFWClick();
    void btnUpgradeClick();
    // Describes the file named in the path field; empty for an empty path.
    void ShowFileSummary();

    // The link's notifications while a part travels.
    void PartRefused(quint16 groupAndCode, quint16 p1);
    void PartProgress(quint16 part, quint16 percent);

private:
    // Sends the sections in order; true when the last one went through.
    bool SendSections(device::FirmwareReader& reader);
    void Reboot();

    devlink::TVKCOMControl& link_;
    devlink::LinkGuard& flags_;
    core::CommandRunner& runner_;
    FwUpgradeView& view_;
    Dialogs& dialogs_;
    bool partFailed_ = false;
    quint16 lastProgress_ = 0;
};

}  // namespace ui

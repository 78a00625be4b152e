#pragma once

#include <QString>

#include "core/CommandRunner.h"
#include "core/operations/FirmwareUpgrade.h"
#include "link/LinkGuard.h"
#include "link/VKCOMControl.h"
#include "ui/presenters/Dialogs.h"
#include "ui/presenters/fwupgrade/FwUpgradeView.h"

namespace ui {

// The "FW upgrade" tab: choosing a merged firmware file and running the core's upgrade on it.
class FwUpgradePresenter {
public:
    FwUpgradePresenter(devlink::TVKCOMControl& link, devlink::LinkGuard& flags,
                       core::CommandRunner& runner, FwUpgradeView& view, Dialogs& dialogs);

    void btnOpenFWClick();
    void btnUpgradeClick();
    // Describes the file named in the path field; empty for an empty path.
    void ShowFileSummary();

    // The link's notifications about the parts and the reboot wait.
    void notified(const devlink::LinkNotification& n) { upgrade_.notified(n); }

private:
    FwUpgradeView& view_;
    Dialogs& dialogs_;
    core::FirmwareUpgrade upgrade_;
};

}  // namespace ui

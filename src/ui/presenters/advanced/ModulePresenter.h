#pragma once

#include "core/CommandRunner.h"
#include "link/LinkGuard.h"
#include "link/VKCOMControl.h"
#include "ui/presenters/advanced/ModuleView.h"

namespace ui {

// Queries the Ethernet module and resets it to its defaults, through the switcher's serial port.
class ModulePresenter {
public:
    ModulePresenter(core::CommandRunner& runner, devlink::TVKCOMControl& link,
                    devlink::LinkGuard& guard, ModuleView& view);

    void btnQueryTCPModInfoClick();
    void btnResetClick();

private:
    void queryModuleInfo();

    core::CommandRunner& runner_;
    devlink::TVKCOMControl& link_;
    devlink::LinkGuard& guard_;
    ModuleView& view_;
};

}  // namespace ui

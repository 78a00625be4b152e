#pragma once

#include "link/CommandRunner.h"
#include "link/LinkGuard.h"
#include "link/LinkTiming.h"
#include "ui/pages/advanced/PanelOptionRadios.h"
#include "ui/pages/general/DeviceStatusLabels.h"
#include "ui/presenters/advanced/PanelOptionsPresenter.h"
#include "ui/presenters/general/DeviceStatusPresenter.h"

namespace ui {

class Dialogs;
class TPageControl;

// Device status, power and the front-panel options, bound to the "General" and "Advanced" tabs.
class DeviceStatusBinding {
public:
    struct Services {
        devlink::CommandRunner& runner;
        const devlink::LinkGuard& flags;
        devlink::LinkClock& clock;  // the plain pause between input queries
        Dialogs& dialogs;
        StatusWriter showStatus;
    };

    DeviceStatusBinding(TPageControl& pages, Services services);
    DeviceStatusBinding(const DeviceStatusBinding&) = delete;
    DeviceStatusBinding& operator=(const DeviceStatusBinding&) = delete;

    DeviceStatusPresenter& status() { return status_; }
    const DeviceStatusPresenter& status() const { return status_; }
    PanelOptionsPresenter& options() { return options_; }

private:
    DeviceStatusLabels labels_;
    PanelOptionRadios radios_;
    PanelOptionsPresenter options_;
    DeviceStatusPresenter status_;
};

}  // namespace ui

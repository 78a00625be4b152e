#pragma once

#include "CommandRunner.h"
#include "DeviceStatusLabels.h"
#include "DeviceStatusPresenter.h"
#include "LinkFlags.h"
#include "LinkTiming.h"
#include "PanelOptionRadios.h"
#include "PanelOptionsPresenter.h"

namespace ui {

class Dialogs;
class TPageControl;

// Device status, power and the front-panel options, bound to the "General" and "Advanced" tabs.
class DeviceStatusBinding {
public:
    struct Services {
        devlink::CommandRunner& runner;
        const devlink::LinkFlags& flags;
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

#pragma once

#include "core/CommandRunner.h"
#include "core/DeviceInfoTexts.h"
#include "core/operations/StatusReads.h"
#include "transport/LinkTiming.h"
#include "ui/presenters/advanced/PanelOptionsPresenter.h"
#include "ui/presenters/general/DeviceStatusView.h"

namespace ui {

// The switcher's power state, the power button and the device information of the
// "General" tab.
class DeviceStatusPresenter {
public:
    static constexpr int kPorts = 6;  // inputs and outputs the switcher has

    DeviceStatusPresenter(core::CommandRunner& runner, devlink::LinkClock& clock,
                          DeviceStatusView& view);
    // A refresh ends with the front-panel options, read by the "Advanced" tab's presenter.
    void alsoReadOptionsWith(PanelOptionsPresenter& panelOptions) { panelOptions_ = &panelOptions; }

    // Last known power state; false until the switcher has said otherwise.
    bool PowerOn() const { return powerOn_; }

    // Asks the switcher for its power state; false when the query failed.
    bool ReadPowerState();
    // Sends the power command and, if it went through, reads the state back.
    void SwitchPower(bool on);
    // The bbPower click: switch to the opposite of the state read from the switcher.
    void bbPowerClick();
    // The btnGetDevStatus click.
    void RefreshDeviceStatus();
    // The labels as they are before anything was read; sends nothing.
    void ResetDeviceStatus();
    // devlink::kOutputConnected, kOutputNotConnected, or kOutputQueryFailed (also for a
    // port number the switcher does not have).
    quint8 ReadOutputConnection(int output);

    // What the switcher said without being asked for it here (the follower's reads).
    void ShowPower(bool on);
    void ShowPortLink(core::PortSide side, int port, core::LinkState state);

private:
    bool ReadDeviceInfo();
    void RefreshPortLinks(core::PortSide side);

    core::CommandRunner& runner_;
    devlink::LinkClock& clock_;
    DeviceStatusView& view_;
    PanelOptionsPresenter* panelOptions_ = nullptr;
    bool powerOn_ = false;
};

}  // namespace ui

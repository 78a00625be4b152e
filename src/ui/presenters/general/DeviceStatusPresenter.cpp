#include "ui/presenters/general/DeviceStatusPresenter.h"

#include "core/OperatorTexts.h"

namespace ui {

using devlink::Command;
using devlink::CommandResult;
using devlink::MakeCommand;

namespace {

constexpr int kInputPauseMs = 5;

}  // namespace

DeviceStatusPresenter::DeviceStatusPresenter(core::CommandRunner& runner, devlink::LinkClock& clock,
                                             DeviceStatusView& view)
    : runner_(runner), clock_(clock), view_(view) {}

bool DeviceStatusPresenter::ReadPowerState() {
    const CommandResult result = runner_.Run(MakeCommand(Command::GetPowerStatus));
    if (!result.succeeded()) return false;
    ShowPower(devlink::ReplyIsOn(result));
    return true;
}

void DeviceStatusPresenter::ShowPower(bool on) {
    if (on != powerOn_) view_.setPowerFace(on);
    powerOn_ = on;
}

void DeviceStatusPresenter::ShowPortLink(core::PortSide side, int port, core::LinkState state) {
    const int tag = core::PortLabelTag(side, port);
    switch (state) {
        case core::LinkState::Connected:
            view_.setPortLabel(tag, core::PortLabelText(side, port, ": Connected"),
                               LabelWeight::Bold);
            break;
        case core::LinkState::NotConnected:
            view_.setPortLabel(tag, core::PortLabelText(side, port, ": Not connected"),
                               LabelWeight::Normal);
            break;
        case core::LinkState::Unknown:
            view_.setPortLabel(tag, core::PortLabelText(side, port, ": Not known"),
                               LabelWeight::Unchanged);
            break;
    }
}

void DeviceStatusPresenter::SwitchPower(bool on) {
    view_.showStatus(devlink::StatusPanel::Notes, QString(), false);
    const CommandResult result =
        runner_.Run(MakeCommand(Command::SetPower, devlink::OnOffValue(on)));
    // The state is only ever taken from the switcher, never from the request.
    if (result.succeeded()) ReadPowerState();
}

void DeviceStatusPresenter::bbPowerClick() {
    if (!ReadPowerState()) return;
    SwitchPower(!powerOn_);
    if (powerOn_) {
        RefreshDeviceStatus();
        view_.showStatus(devlink::StatusPanel::Notes, QStringLiteral("Matrix POWER ON"), false);
    } else {
        view_.showStatus(devlink::StatusPanel::Notes, QStringLiteral("Matrix POWER OFF"), false);
    }
}

void DeviceStatusPresenter::RefreshDeviceStatus() {
    if (!ReadPowerState()) return;
    if (!powerOn_) {
        view_.informationBox(core::PowerOffRefreshText());
        return;
    }
    if (!ReadDeviceInfo()) return;
    RefreshPortLinks(core::PortSide::Input);
    RefreshPortLinks(core::PortSide::Output);
    if (panelOptions_) panelOptions_->ReadPanelOptions();
}

bool DeviceStatusPresenter::ReadDeviceInfo() {
    const std::optional<core::DeviceInfo> info = core::readDeviceInfo(runner_);
    if (!info) return false;
    view_.setDeviceText(core::DeviceText(info->type, info->inputs, info->outputs));
    view_.setVersionText(core::VersionText(info->major, info->minor));
    return true;
}

void DeviceStatusPresenter::RefreshPortLinks(core::PortSide side) {
    const Command query =
        side == core::PortSide::Input ? Command::GetInputLinkStatus : Command::GetOutputLinkStatus;
    for (int port = 1; port <= kPorts; ++port) {
        const CommandResult result = runner_.Run(MakeCommand(query, static_cast<quint16>(port)));
        if (!result.succeeded()) {
            ShowPortLink(side, port, core::LinkState::Unknown);
        } else if (const auto link = devlink::ReplyPortLink(result);
                   link == devlink::PortLink::Connected) {
            ShowPortLink(side, port, core::LinkState::Connected);
        } else if (link == devlink::PortLink::NotConnected) {
            ShowPortLink(side, port, core::LinkState::NotConnected);
        }
        // A plain pause after every input query, whatever its outcome.
        if (side == core::PortSide::Input) clock_.sleepMs(kInputPauseMs);
    }
}

void DeviceStatusPresenter::ResetDeviceStatus() {
    view_.setDeviceText(QStringLiteral("Device: Not known"));
    view_.setVersionText(QStringLiteral("Version: Not known"));
    for (int port = 1; port <= kPorts; ++port) {
        for (const core::PortSide side : {core::PortSide::Input, core::PortSide::Output}) {
            view_.setPortLabel(core::PortLabelTag(side, port),
                               core::PortLabelText(side, port, ": Not known"),
                               LabelWeight::Unchanged);
        }
    }
}

quint8 DeviceStatusPresenter::ReadOutputConnection(int output) {
    return core::readOutputConnection(runner_, output);
}

}  // namespace ui

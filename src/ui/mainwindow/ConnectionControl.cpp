#include "ui/mainwindow/ConnectionControl.h"

#include <algorithm>

#include "settings/PortTagSections.h"
#include "ui/mainwindow/SwitcherFollowing.h"
#include "ui/pages/general/GeneralPage.h"
#include "ui/platform/WindowServices.h"

namespace ui {

namespace {

const QString kConnectionNames[] = {QStringLiteral("Disconnect"), QStringLiteral("Connected")};

constexpr int kAfterConnectMs = 100;

}  // namespace

ConnectionControl::ConnectionControl(const Parts& parts)
    : page_(parts.page),
      link_(parts.link),
      guard_(parts.guard),
      runner_(parts.runner),
      following_(parts.following),
      serialPorts_(parts.serialPorts),
      sleeper_(parts.sleeper),
      dialogs_(parts.dialogs),
      window_(parts.window),
      currentDeviceMAC_(QLatin1String(config::kNoDeviceMac)) {
    const std::pair<void (GeneralPage::*)(), void (ConnectionControl::*)()> requests[] = {
        {&GeneralPage::comModeClicked, &ConnectionControl::rbCOMModeClick},
        {&GeneralPage::lanModeClicked, &ConnectionControl::rbLANModeClick},
        {&GeneralPage::connectRequested, &ConnectionControl::btnConnectClick},
        {&GeneralPage::deviceClicked, &ConnectionControl::cbLANDeviceChosen},
        {&GeneralPage::searchRequested, &ConnectionControl::btnSearchDeviceClick},
        {&GeneralPage::configRequested, &ConnectionControl::btnConfigClick},
        {&GeneralPage::deleteRequested, &ConnectionControl::btnDeleteDeviceClick},
    };
    for (const auto& [request, handler] : requests) {
        connect(&page_, request, this, handler);
    }
}

void ConnectionControl::loadSettings(const config::SettingsData& settings) {
    page_.showControlMode(settings.controlModeLan);
    if (settings.controlModeLan) {
        rbLANModeClick();
    } else {
        rbCOMModeClick();
    }
    link_.SetComPort(settings.comPortName);
    page_.chooseSerialPort(settings.comPortName);
    loadDevices(settings);
    page_.setDisplayTags(settings.displayTag);
    page_.setFollowsSwitcher(settings.followSwitcher);
}

void ConnectionControl::storeSettings(config::SettingsData& settings) const {
    settings.controlModeLan = page_.lanModeShown();
    settings.comPortName = page_.chosenSerialPort();
    settings.displayTag = page_.displayTags();
    settings.followSwitcher = page_.followsSwitcher();
    settings.lanDeviceList = page_.devices();
    settings.lanDeviceName = page_.chosenDevice();
}

void ConnectionControl::showStoredPort() {
    if (page_.serialPorts().isEmpty() && !link_.GetComPort().isEmpty()) {
        page_.setSerialPorts({link_.GetComPort()});
    }
}

bool ConnectionControl::comMode() const {
    return link_.ControlMode() == devlink::cmCOM;
}

void ConnectionControl::RefreshSerialPorts() {
    QStringList ports;
    for (const QString& name : serialPorts_.portNames()) {
        if (!ports.contains(name)) ports.append(name);
    }
    const QStringList shown = page_.serialPorts();
    const bool changed = ports.size() != shown.size() ||
                         std::any_of(ports.begin(), ports.end(), [&shown](const QString& port) {
                             return !shown.contains(port);
                         });
    if (!changed) return;

    page_.setSerialPorts(ports);
    // A followed line whose adapter went away is reopened when it comes back under its name.
    if (!ports.contains(link_.GetComPort()) && link_.GetConnected() && comMode() &&
        !following_.keepsLine()) {
        btnConnectClick();
    }
    page_.chooseSerialPort(link_.GetComPort());
}

void ConnectionControl::btnConnectClick() {
    if (!link_.GetConnected() && !following_.reconnectText()) {
        connectLine();
        return;
    }
    window_.showStatus(devlink::StatusPanel::Operation, QString(), false);
    following_.lineClosed();
    link_.Disconnect();
    afterLineChange();
}

void ConnectionControl::connectLine() {
    window_.showStatus(devlink::StatusPanel::Operation, QString(), false);
    if (comMode()) {
        link_.SetComPort(page_.chosenSerialPort());
        window_.showStatus(
            devlink::StatusPanel::Operation,
            QStringLiteral("Opening [") + link_.GetComPort() + QStringLiteral("] ..."), false);
    } else {
        window_.showStatus(
            devlink::StatusPanel::Operation,
            QStringLiteral("Connecting [") + link_.DeviceIP() + QStringLiteral("] ..."), false);
    }
    page_.setConnectEnabled(false);
    if (link_.Connect() || connectMovedModule()) following_.lineOpened();
    page_.setConnectEnabled(true);
    if (window_.generalShowing()) page_.focusConnect();
    afterLineChange();
}

void ConnectionControl::afterLineChange() {
    showLinkState();
    if (link_.GetConnected()) window_.showStatus(devlink::StatusPanel::Operation, QString(), false);
    sleeper_.sleepMs(kAfterConnectMs);
}

void ConnectionControl::showLinkState() {
    const bool connected = link_.GetConnected();
    // A line being reopened is still the operator's: Disconnect ends the attempts.
    const bool held = connected || following_.reconnectText();
    // "&Connect" is the state name "Connected" less its last two letters.
    page_.showLine(connected, held,
                   QStringLiteral("&") +
                       (held ? QStringLiteral("Disconnect") : kConnectionNames[1].chopped(2)));
    showConnectionState();
}

void ConnectionControl::closeLine() {
    if (link_.GetConnected() || following_.reconnectText()) btnConnectClick();
}

// The adapter was unplugged or the module hung up: the window shows what its own disconnect
// would have left.
void ConnectionControl::lineLost() {
    if (link_.GetConnected()) return;
    // Unfollowed, a lost line is closed: ticking the box later does not reopen it.
    if (!following_.keepsLine()) following_.lineClosed();
    window_.showStatus(devlink::StatusPanel::Operation, QString(), false);
    showLinkState();
}

void ConnectionControl::showConnectionState() {
    if (const auto reconnecting = following_.reconnectText()) {
        window_.showStatus(devlink::StatusPanel::Connection, *reconnecting, false);
        return;
    }
    if (!link_.GetConnected()) {
        window_.showStatus(devlink::StatusPanel::Connection, kConnectionNames[0], false);
        return;
    }
    const QString where = comMode() ? link_.GetComPort() : link_.DeviceIP();
    window_.showStatus(devlink::StatusPanel::Connection,
                       where + QStringLiteral(": ") + kConnectionNames[1], false);
}

// A mode change under a waiting command would move the rest of it to the other transport.
bool ConnectionControl::modeChangeRefused() {
    if (runner_.LinkIdle()) return false;
    page_.showControlMode(!comMode());
    return true;
}

void ConnectionControl::rbCOMModeClick() {
    if (modeChangeRefused()) return;
    window_.showStatus(devlink::StatusPanel::Operation, QString(), false);
    closeLine();
    window_.clearPortTags();
    link_.SetControlMode(devlink::cmCOM);
    ApplyModeEnabling(devlink::cmCOM, false);
    window_.loadPortTags(devlink::cmCOM, currentDeviceMAC_);
}

void ConnectionControl::rbLANModeClick() {
    if (link_.IsSearching() || modeChangeRefused()) return;
    closeLine();
    window_.clearPortTags();
    link_.SetControlMode(devlink::cmLAN);
    window_.loadPortTags(devlink::cmLAN, currentDeviceMAC_);
    window_.showStatus(devlink::StatusPanel::Notes, QString(), false);
    ApplyModeEnabling(devlink::cmLAN, false);
    if (!page_.lanModeShown()) {
        window_.showStatus(devlink::StatusPanel::Operation, QString(), false);
    }
}

void ConnectionControl::ApplyModeEnabling(devlink::TControlMode mode, bool locked) {
    page_.enableForMode(mode == devlink::cmLAN, locked);
    const bool comEnabled = mode == devlink::cmCOM && !locked;
    // The Ethernet module is reached through the switcher's serial port.
    window_.serialControlChanged(comEnabled);
}

}  // namespace ui

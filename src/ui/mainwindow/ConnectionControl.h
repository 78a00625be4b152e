#pragma once

#include <QObject>
#include <QString>

#include "core/CommandRunner.h"
#include "link/LinkGuard.h"
#include "link/StatusPanel.h"
#include "link/VKCOMControl.h"
#include "settings/SettingsData.h"

namespace ui {

class Dialogs;
class GeneralPage;
class SerialPortLister;
class StatusSleeper;
class SwitcherFollowing;
class TfrmEditLAN;
class TfrmSearch;

// What the connection logic asks of the window it sits in.
class ConnectionWindow {
public:
    virtual void showStatus(devlink::StatusPanel panel, const QString& text, bool alert) = 0;
    virtual QString statusText(devlink::StatusPanel panel) const = 0;
    virtual void saveSettings() = 0;
    // The tags belong to a connection: they go when it changes, and the next one's come.
    virtual void clearPortTags() = 0;
    virtual void loadPortTags(devlink::TControlMode mode, const QString& mac) = 0;
    // The Ethernet module can be reached through the serial port (COM mode, nothing locked).
    virtual void serialControlChanged(bool on) = 0;
    virtual bool generalShowing() const = 0;
    virtual TfrmSearch& searchWizard() = 0;
    virtual TfrmEditLAN& lanDialog() = 0;

protected:
    ~ConnectionWindow() = default;
};

// The "General" tab's connection logic: control mode, serial port list, Connect and Disconnect,
// the line's state, and the TCP control devices with their search, configuration and deletion.
class ConnectionControl final : public QObject {
    Q_OBJECT

public:
    struct Parts {
        GeneralPage& page;
        devlink::TVKCOMControl& link;
        devlink::LinkGuard& guard;
        core::CommandRunner& runner;
        SwitcherFollowing& following;
        SerialPortLister& serialPorts;
        StatusSleeper& sleeper;
        Dialogs& dialogs;
        ConnectionWindow& window;
    };
    explicit ConnectionControl(const Parts& parts);

    // Control mode, serial port, devices, "Display tags" and "Follow changes".
    void loadSettings(const config::SettingsData& settings);
    void storeSettings(config::SettingsData& settings) const;

    bool comMode() const;
    QString currentDeviceMac() const { return currentDeviceMAC_; }

    void RefreshSerialPorts();
    // Until the ports are first walked, the stored port stands alone in the list.
    void showStoredPort();
    void btnConnectClick();
    // Opens the line: the Connect button, or a command that needs the line.
    void connectLine();
    void showLinkState();
    void showConnectionState();
    // The line went away by itself.
    void lineLost();
    void rbCOMModeClick();
    void rbLANModeClick();
    void ApplyModeEnabling(devlink::TControlMode mode, bool locked);

private:
    void afterLineChange();
    // Closes the line if it is open or being reopened (before a mode or device change).
    void closeLine();
    bool modeChangeRefused();
    // The operator's choice of device; refused while a command waits, the list going back to
    // the device in use.
    void cbLANDeviceChosen();
    void cbLANDeviceChange();
    void btnSearchDeviceClick();
    void btnConfigClick();
    void btnDeleteDeviceClick();
    void loadDevices(const config::SettingsData& settings);
    // The chosen TCP control device did not answer: look for it by its MAC and, if it answers
    // elsewhere and the operator agrees, keep and connect to its new address.
    bool connectMovedModule();

    GeneralPage& page_;
    devlink::TVKCOMControl& link_;
    devlink::LinkGuard& guard_;
    core::CommandRunner& runner_;
    SwitcherFollowing& following_;
    SerialPortLister& serialPorts_;
    StatusSleeper& sleeper_;
    Dialogs& dialogs_;
    ConnectionWindow& window_;
    QString currentDeviceMAC_;
    QString currentDeviceEntry_;  // the entry that set currentDeviceMAC_ and DeviceIP
};

}  // namespace ui

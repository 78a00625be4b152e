#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <memory>
#include <vector>

#include "core/CommandHost.h"
#include "core/CommandRunner.h"
#include "link/LinkNotification.h"
#include "link/StatusPanel.h"
#include "link/VKCOMControl.h"
#include "settings/SettingsData.h"
#include "ui/mainwindow/ConnectionControl.h"
#include "ui/pages/TabWindow.h"
#include "ui/platform/WindowServices.h"

namespace ui {

class ConnectionControl;
class DeviceStatusPresenter;
class GeneralPage;
class SwitcherFollowing;
class Tab;
class TPageControl;
class TStatusBar;

// The main window: owns the one link, shows its notifications, and keeps the settings.
class TForm1 final : public QMainWindow,
                     private core::CommandHost,
                     private TabWindow,
                     private ConnectionWindow {
    Q_OBJECT

public:
    explicit TForm1(TForm1Environment environment, QWidget* parent = nullptr);
    ~TForm1() override;

    // The one writer of the status bar; panel 2 alerts blink for 2.1 s, blocking.
    void ShowStatus(devlink::StatusPanel panel, const QString& text, bool alert);

    void tmrTimer();

    void LoadSettings();
    void SaveSettings();
    void LoadPortTags(devlink::TControlMode mode, const QString& mac);
    void SavePortTags(devlink::TControlMode mode, const QString& mac);

    // The window's message handler for notifications 2024 to 2039.
    void linkNotification(const devlink::LinkNotification& notification);

    devlink::TVKCOMControl* Link() const { return link_; }  // null once the window has closed
    // The last known power state, as the device status presenter keeps it.
    bool PowerOn() const;
    DeviceStatusPresenter& DeviceStatus();

signals:
    // The window has painted for the first time and built its other pages.
    void painted();

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildForm();
    void addTabs();
    QWidget* buildGeneralTab();
    // Takes a tab made from the tab table and gives it what the window knows so far.
    QWidget* adoptTab(std::unique_ptr<Tab> tab);
    // Tells every tab made so far. A tab's handler may pump the event loop and so make the tabs
    // not made yet: those are told too.
    template <class Tell>
    void tellTabs(Tell tell) const {
        for (std::size_t i = 0; i < tabs_.size(); ++i) tell(*tabs_[i]);
    }
    void afterFirstPaint();
    void bindFollowing();
    core::CommandHost& commandHost() { return *this; }
    TabWindow& tabWindow() { return *this; }
    // What commands, tabs and the connection logic ask of the window.
    void connectForCommand() override;
    void showStatus(devlink::StatusPanel panel, const QString& text, bool alert) override;
    void informationBox(const QString& text) override;
    bool powerOn() override;
    config::PortTags portTags() const override;
    bool displayTags() const override;
    void portTagsEdited(const config::PortTags& tags) override;
    TfrmPreSettingEdit& preSettingDialog() override;
    TfrmShowInOutInfo& inOutInfoPopup() override;
    TfrmEnterYes& resetConfirmation() override;
    QString statusText(devlink::StatusPanel panel) const override;
    void saveSettings() override { SaveSettings(); }
    void clearPortTags() override;
    void loadPortTags(devlink::TControlMode mode, const QString& mac) override {
        LoadPortTags(mode, mac);
    }
    void serialControlChanged(bool on) override;
    bool generalShowing() const override;
    TfrmSearch& searchWizard() override;
    TfrmEditLAN& lanDialog() override;
    void FormShow();
    bool FormCloseQuery();
    void FormClose();
    bool PageChangeAllowed() const;
    bool linkBusy() const;
    void lineLost();
    void writeOperationPanel(const QString& text);
    void showLinkFailure(const QString& text);
    void showPortTags(const config::PortTags& tags);
    config::SettingsData settingsFromControls() const;

    Dialogs& dialogs_;
    SerialPortLister& serialPorts_;
    StatusSleeper& sleeper_;
    DateTimeSource& dateTime_;
    const QString settingsPath_;
    devlink::LinkClock& clock_;
    devlink::LinkGuard& flags_;

    QPointer<devlink::TVKCOMControl> link_;
    std::unique_ptr<core::CommandRunner> runner_;
    QTimer tmr_;

    // Parts of the settings whose controls are not in this window yet; kept so that no key
    // is lost between load and save.
    config::SettingsData storedSettings_;
    bool settingsFileKept_ = false;  // it could not be read: never saved over
    // The tags of the current connection, shown on the "Port Tag" page once it is built.
    config::PortTags portTags_;
    // The Ethernet module can be reached through the serial port (COM mode, no search).
    bool serialControl_ = true;

    int statusBlink_ = 1;
    bool shownOnce_ = false;
    bool paintedOnce_ = false;
    bool closed_ = false;

    TPageControl* pcContainer_ = nullptr;
    TStatusBar* sb_ = nullptr;
    GeneralPage* general_ = nullptr;
    std::unique_ptr<DeviceStatusPresenter> deviceStatus_;
    // The tabs after General that have been made, in the order they were; gone before their
    // pages, which they are wired to.
    std::vector<std::unique_ptr<Tab>> tabs_;
    // Gone before the runner it reports writes through.
    std::unique_ptr<SwitcherFollowing> following_;
    std::unique_ptr<ConnectionControl> connection_;  // gone before the follower it uses
};

}  // namespace ui

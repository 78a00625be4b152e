#pragma once

#include <QWidget>

#include "ui/presenters/general/DeviceStatusView.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace ui {

class Dialogs;

// tsGeneral: control mode, connection, device status and power; it shows what the device
// status presenter reports.
class GeneralPage final : public QWidget, public DeviceStatusView {
    Q_OBJECT

public:
    explicit GeneralPage(Dialogs& dialogs, QWidget* parent = nullptr);

    // Control mode: shown without raising the click signals.
    void showControlMode(bool lan);
    bool lanModeShown() const;
    // Enables each mode's controls, all of them off while `locked` (a search or configuration).
    void enableForMode(bool lan, bool locked);

    // The serial port list, as the system names them.
    QStringList serialPorts() const;
    void setSerialPorts(const QStringList& ports);
    // Chooses the port, or the first one when it is not listed.
    void chooseSerialPort(const QString& name);
    QString chosenSerialPort() const;

    // The TCP control devices, kept in sorted order: one entry per device.
    QStringList devices() const;
    // Lists the entries and chooses one, or the first when it is not listed.
    void setDevices(const QStringList& entries, const QString& chosen);
    // Adds an entry not listed yet; false when it was.
    bool addDevice(const QString& entry);
    // Chooses the entry; nothing is chosen when it is not listed.
    void chooseDevice(const QString& entry);
    // Removes the entry; when it was chosen, the one now in its place (or the last) is.
    void removeDevice(const QString& entry);
    QString chosenDevice() const;  // empty when none is
    bool deviceChosen() const;

    // The line: its picture, the Connect button's caption, and the port list locked while the
    // line is held.
    void showLine(bool connected, bool held, const QString& connectCaption);
    void setConnectEnabled(bool enabled);
    void focusConnect();
    void focusConfig();  // when it can be used

    bool displayTags() const;
    void setDisplayTags(bool on);
    bool followsSwitcher() const;
    void setFollowsSwitcher(bool on);

    void setDeviceText(const QString& text) override;
    void setVersionText(const QString& text) override;
    void setPortLabel(int tag, const QString& text, LabelWeight weight) override;
    void setPowerFace(bool on) override;
    void showStatus(devlink::StatusPanel panel, const QString& text, bool alert) override;
    void informationBox(const QString& text) override;

signals:
    void statusShown(devlink::StatusPanel panel, const QString& text, bool alert);
    // The operator's requests.
    void comModeClicked();
    void lanModeClicked();
    void connectRequested();
    void deviceStatusRequested();
    void powerRequested();
    void deviceClicked();  // an entry of the device list, even the one already chosen
    void searchRequested();
    void configRequested();
    void deleteRequested();
    void followToggled(bool on);

private:
    QGroupBox* gbModeSelect;
    QRadioButton* rbCOMMode;
    QRadioButton* rbLANMode;
    QGroupBox* gbCOMMode;
    QLabel* lblPort;
    QComboBox* cbCOMList;
    QGroupBox* gbLANMode;
    QComboBox* cbLANDevice;
    QPushButton* btnDeleteDevice;
    QPushButton* btnSearchDevice;
    QPushButton* btnConfig;
    QLabel* imgClose;
    QLabel* imgOpen;
    QPushButton* btnConnect;
    QCheckBox* cbFollowSwitcher;
    QPushButton* btnGetDevStatus;
    QCheckBox* cbDisplayTag;
    QGroupBox* gbDevInfo;
    QLabel* lblDevice;
    QLabel* lblVersion;
    QPushButton* bbPower;
    QLabel* imgPowerOn;
    QLabel* imgPowerOff;

    QGroupBox* buildModeSelect();
    QGroupBox* buildComMode();
    QGroupBox* buildLanMode();
    QGroupBox* buildConnection();
    QGroupBox* buildDeviceInfo();
    QWidget* buildNotes();
    QWidget* buildPower();
    void forwardRequests();

    Dialogs& dialogs_;
};

}  // namespace ui

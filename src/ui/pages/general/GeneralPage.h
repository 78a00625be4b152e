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

    void setDeviceText(const QString& text) override;
    void setVersionText(const QString& text) override;
    void setPortLabel(int tag, const QString& text, LabelWeight weight) override;
    void setPowerFace(bool on) override;
    void showStatus(devlink::StatusPanel panel, const QString& text, bool alert) override;
    void informationBox(const QString& text) override;

signals:
    void statusShown(devlink::StatusPanel panel, const QString& text, bool alert);

private:
    QGroupBox* buildModeSelect();
    QGroupBox* buildComMode();
    QGroupBox* buildLanMode();
    QGroupBox* buildConnection();
    QGroupBox* buildDeviceInfo();
    QWidget* buildNotes();
    QWidget* buildPower();

    Dialogs& dialogs_;
};

}  // namespace ui

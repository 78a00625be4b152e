#pragma once

#include "ui/mainwindow/StatusWriter.h"
#include "ui/presenters/general/DeviceStatusView.h"

class QLabel;
class QPushButton;
class QWidget;

namespace ui {

class Dialogs;

// The "General" tab's device information group, power button and messages.
class DeviceStatusLabels final : public DeviceStatusView {
public:
    // page: the tab that holds gbDevInfo, bbPower and the two power pictures.
    DeviceStatusLabels(const QWidget& page, Dialogs& dialogs, StatusWriter showStatus);

    void setDeviceText(const QString& text) override;
    void setVersionText(const QString& text) override;
    void setPortLabel(int tag, const QString& text, LabelWeight weight) override;
    void setPowerFace(bool on) override;
    void showStatus(int panel, const QString& text, bool alert) override;
    void informationBox(const QString& text) override;

private:
    QLabel* portLabel(int tag) const;

    Dialogs& dialogs_;
    StatusWriter showStatus_;
    QWidget* gbDevInfo_;
    QLabel* lblDevice_;
    QLabel* lblVersion_;
    QPushButton* bbPower_;
    QLabel* imgPowerOn_;
    QLabel* imgPowerOff_;
};

}  // namespace ui

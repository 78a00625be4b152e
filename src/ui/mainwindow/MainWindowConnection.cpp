#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "ui/mainwindow/MainWindow.h"
#include "ui/mainwindow/PageControl.h"
#include "ui/pages/FormParts.h"

namespace ui {

namespace {

const QString kConnectionNames[] = {QStringLiteral("Disconnect"), QStringLiteral("Connected")};

constexpr int kAfterConnectMs = 100;

const char* const kLanModeControls[] = {"gbLANMode", "cbLANDevice", "btnSearchDevice", "btnConfig",
                                        "btnDeleteDevice"};
const char* const kComModeControls[] = {"gbCOMMode", "lblPort", "cbCOMList"};
const char* const kUnlockedControls[] = {"gbModeSelect", "rbCOMMode", "rbLANMode", "btnConnect",
                                         "btnGetDevStatus"};
// The Ethernet module is reached through the switcher's serial port.
const char* const kModuleControls[] = {"gbTCPModInfo", "lblTCPVersion",      "lblTCPDHCP",
                                       "lblTCPIPAddr", "btnQueryTCPModInfo", "gbResetDefault",
                                       "btnReset"};

}  // namespace

bool TForm1::comMode() const {
    return link_->ControlMode() == devlink::cmCOM;
}

void TForm1::RefreshSerialPorts() {
    QStringList ports;
    for (const QString& name : serialPorts_.portNames()) {
        if (!ports.contains(name)) ports.append(name);
    }
    bool changed = ports.size() != cbCOMList_->count();
    for (int i = 0; !changed && i < ports.size(); ++i) {
        changed = cbCOMList_->findText(ports[i], Qt::MatchExactly) < 0;
    }
    if (!changed) return;

    cbCOMList_->clear();
    cbCOMList_->addItems(ports);
    const int current = ports.indexOf(link_->GetComPort());
    if (current >= 0) {
        cbCOMList_->setCurrentIndex(current);
        return;
    }
    if (link_->GetConnected() && comMode()) btnConnectClick();
    cbCOMList_->setCurrentIndex(ports.isEmpty() ? -1 : 0);
}

void TForm1::btnConnectClick() {
    ShowStatus(2, QString(), false);
    if (link_->GetConnected()) {
        link_->Disconnect();
    } else {
        if (comMode()) {
            link_->SetComPort(cbCOMList_->currentText());
            ShowStatus(2,
                       QStringLiteral("Opening [") + link_->GetComPort() + QStringLiteral("] ..."),
                       false);
        } else {
            ShowStatus(2,
                       QStringLiteral("Connecting [") + link_->DeviceIP() + QStringLiteral("] ..."),
                       false);
        }
        btnConnect_->setEnabled(false);
        link_->Connect();
        btnConnect_->setEnabled(true);
        if (pcContainer_->currentIndex() == 0) btnConnect_->setFocus();
    }
    const bool connected = link_->GetConnected();
    cbCOMList_->setEnabled(!connected);
    imgOpen_->setVisible(connected);
    imgClose_->setVisible(!connected);
    // "&Connect" is the state name "Connected" less its last two letters.
    btnConnect_->setText(QStringLiteral("&") + (connected ? QStringLiteral("Disconnect")
                                                          : kConnectionNames[1].chopped(2)));
    showConnectionState();
    if (connected) ShowStatus(2, QString(), false);
    sleeper_.sleepMs(kAfterConnectMs);
}

void TForm1::showConnectionState() {
    if (!link_->GetConnected()) {
        ShowStatus(1, kConnectionNames[0], false);
        return;
    }
    const QString where = comMode() ? link_->GetComPort() : link_->DeviceIP();
    ShowStatus(1, where + QStringLiteral(": ") + kConnectionNames[1], false);
}

void TForm1::rbCOMModeClick() {
    ShowStatus(2, QString(), false);
    if (link_->GetConnected()) btnConnectClick();
    clearPortTags();
    link_->SetControlMode(devlink::cmCOM);
    ApplyModeEnabling(devlink::cmCOM, false);
    LoadPortTags(devlink::cmCOM, currentDeviceMAC_);
}

void TForm1::rbLANModeClick() {
    ShowStatus(2, QString(), false);
    if (link_->GetConnected()) btnConnectClick();
    clearPortTags();
    link_->SetControlMode(devlink::cmLAN);
    ApplyModeEnabling(devlink::cmLAN, false);
    LoadPortTags(devlink::cmLAN, currentDeviceMAC_);
}

void TForm1::ApplyModeEnabling(devlink::TControlMode mode, bool locked) {
    const auto apply = [this](const auto& names, bool enabled) {
        for (const char* name : names) {
            auto* widget = control<QWidget>(name);
            if (qobject_cast<QGroupBox*>(widget)) {
                setGroupEnabled(widget, enabled);
            } else {
                setControlEnabled(widget, enabled);
            }
        }
    };
    apply(kLanModeControls, mode == devlink::cmLAN && !locked);
    const bool comEnabled = mode == devlink::cmCOM && !locked;
    apply(kComModeControls, comEnabled);
    apply(kUnlockedControls, !locked);
    apply(kModuleControls, comEnabled);
}

}  // namespace ui

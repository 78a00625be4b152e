#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <algorithm>

#include "ui/pages/FormParts.h"
#include "ui/pages/general/GeneralPage.h"

// What the window's connection logic asks of the page, and the requests it hears from it.
namespace ui {

void GeneralPage::forwardRequests() {
    // Only a change made by the operator runs a mode handler; showControlMode sets it quietly.
    connect(rbCOMMode, &QRadioButton::toggled, this, [this](bool on) {
        if (on) emit comModeClicked();
    });
    connect(rbLANMode, &QRadioButton::toggled, this, [this](bool on) {
        if (on) emit lanModeClicked();
    });
    const std::pair<QPushButton*, void (GeneralPage::*)()> clicks[] = {
        {btnConnect, &GeneralPage::connectRequested},
        {btnGetDevStatus, &GeneralPage::deviceStatusRequested},
        {bbPower, &GeneralPage::powerRequested},
        {btnSearchDevice, &GeneralPage::searchRequested},
        {btnConfig, &GeneralPage::configRequested},
        {btnDeleteDevice, &GeneralPage::deleteRequested},
    };
    for (const auto& [button, request] : clicks) {
        connect(button, &QPushButton::clicked, this, request);
    }
    connect(cbLANDevice, &QComboBox::activated, this, &GeneralPage::deviceClicked);
    connect(cbFollowSwitcher, &QCheckBox::toggled, this, &GeneralPage::followToggled);
}

void GeneralPage::showControlMode(bool lan) {
    const QSignalBlocker comBlocker(rbCOMMode);
    const QSignalBlocker lanBlocker(rbLANMode);
    (lan ? rbLANMode : rbCOMMode)->setChecked(true);
}

bool GeneralPage::lanModeShown() const {
    return rbLANMode->isChecked();
}

void GeneralPage::enableForMode(bool lan, bool locked) {
    setControlsEnabled({gbLANMode, cbLANDevice, btnSearchDevice, btnConfig, btnDeleteDevice},
                       lan && !locked);
    setControlsEnabled({gbCOMMode, lblPort, cbCOMList}, !lan && !locked);
    setControlsEnabled({gbModeSelect, rbCOMMode, rbLANMode, btnConnect, btnGetDevStatus}, !locked);
}

QStringList GeneralPage::serialPorts() const {
    QStringList ports;
    for (int i = 0; i < cbCOMList->count(); ++i) ports << cbCOMList->itemText(i);
    return ports;
}

void GeneralPage::setSerialPorts(const QStringList& ports) {
    cbCOMList->clear();
    cbCOMList->addItems(ports);
}

void GeneralPage::chooseSerialPort(const QString& name) {
    const int index = cbCOMList->findText(name, Qt::MatchExactly);
    cbCOMList->setCurrentIndex(index >= 0 ? index : (cbCOMList->count() > 0 ? 0 : -1));
}

QString GeneralPage::chosenSerialPort() const {
    return cbCOMList->currentText();
}

QStringList GeneralPage::devices() const {
    QStringList entries;
    for (int i = 0; i < cbLANDevice->count(); ++i) entries << cbLANDevice->itemText(i);
    return entries;
}

void GeneralPage::setDevices(const QStringList& entries, const QString& chosen) {
    setSortedItems(cbLANDevice, entries);
    const int index = cbLANDevice->findText(chosen, Qt::MatchExactly);
    cbLANDevice->setCurrentIndex(index >= 0 ? index : (cbLANDevice->count() > 0 ? 0 : -1));
}

bool GeneralPage::addDevice(const QString& entry) {
    if (cbLANDevice->findText(entry, Qt::MatchExactly) >= 0) return false;
    addSorted(cbLANDevice, entry);
    return true;
}

void GeneralPage::chooseDevice(const QString& entry) {
    cbLANDevice->setCurrentIndex(cbLANDevice->findText(entry, Qt::MatchExactly));
}

void GeneralPage::removeDevice(const QString& entry) {
    const int index = cbLANDevice->findText(entry, Qt::MatchExactly);
    if (index < 0) return;
    const bool chosen = index == cbLANDevice->currentIndex();
    cbLANDevice->removeItem(index);
    if (chosen) cbLANDevice->setCurrentIndex(std::min(index, cbLANDevice->count() - 1));
}

QString GeneralPage::chosenDevice() const {
    return cbLANDevice->currentText();
}

bool GeneralPage::deviceChosen() const {
    return cbLANDevice->currentIndex() >= 0;
}

void GeneralPage::showLine(bool connected, bool held, const QString& connectCaption) {
    cbCOMList->setEnabled(!held);
    imgOpen->setVisible(connected);
    imgClose->setVisible(!connected);
    btnConnect->setText(connectCaption);
}

void GeneralPage::setConnectEnabled(bool enabled) {
    btnConnect->setEnabled(enabled);
}

void GeneralPage::focusConnect() {
    btnConnect->setFocus();
}

void GeneralPage::focusConfig() {
    if (btnConfig->isEnabled()) btnConfig->setFocus();
}

bool GeneralPage::displayTags() const {
    return cbDisplayTag->isChecked();
}

void GeneralPage::setDisplayTags(bool on) {
    cbDisplayTag->setChecked(on);
}

bool GeneralPage::followsSwitcher() const {
    return cbFollowSwitcher->isChecked();
}

void GeneralPage::setFollowsSwitcher(bool on) {
    cbFollowSwitcher->setChecked(on);
}

}  // namespace ui

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

#include "core/MovedModule.h"
#include "lan/ModuleRecords.h"
#include "settings/DeviceEntry.h"
#include "settings/PortTagSections.h"
#include "ui/dialogs/EditLAN.h"
#include "ui/dialogs/SearchWizard.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/mainwindow/PageControl.h"
#include "ui/mainwindow/StatusBar.h"
#include "ui/pages/FormParts.h"
#include "ui/pages/general/GeneralPage.h"
#include "ui/presenters/Dialogs.h"

namespace ui {

namespace {

// The four numbers of a dotted address; 0 for a number that is missing or out of range.
std::array<quint8, 4> AddressBytes(const QString& dotted) {
    const QStringList parts = dotted.split(QLatin1Char('.'));
    std::array<quint8, 4> bytes{};
    for (int i = 0; i < 4; ++i) {
        const uint value = parts.value(i).toUInt();
        bytes[i] = static_cast<quint8>(value <= 255 ? value : 0);
    }
    return bytes;
}

}  // namespace

void TForm1::bindLanDevices() {
    connect(general_->cbLANDevice, &QComboBox::activated, this, &TForm1::cbLANDeviceChosen);
    const std::pair<QPushButton*, void (TForm1::*)()> clicks[] = {
        {general_->btnSearchDevice, &TForm1::btnSearchDeviceClick},
        {general_->btnConfig, &TForm1::btnConfigClick},
        {general_->btnDeleteDevice, &TForm1::btnDeleteDeviceClick},
    };
    for (const auto& [button, handler] : clicks) {
        connect(button, &QPushButton::clicked, this, handler);
    }
}

void TForm1::loadDevices(const config::SettingsData& settings) {
    QComboBox* list = general_->cbLANDevice;
    setSortedItems(list, settings.lanDeviceList);
    const int chosen = list->findText(settings.lanDeviceName, Qt::MatchExactly);
    list->setCurrentIndex(chosen >= 0 ? chosen : (list->count() > 0 ? 0 : -1));
    cbLANDeviceChange();
}

void TForm1::storeDevices(config::SettingsData& settings) const {
    const QComboBox* list = general_->cbLANDevice;
    settings.lanDeviceList.clear();
    for (int i = 0; i < list->count(); ++i) settings.lanDeviceList << list->itemText(i);
    settings.lanDeviceName = list->currentText();
}

void TForm1::cbLANDeviceChosen() {
    if (runner_->LinkIdle()) {
        cbLANDeviceChange();
        return;
    }
    QComboBox* list = general_->cbLANDevice;
    list->setCurrentIndex(list->findText(currentDeviceEntry_, Qt::MatchExactly));
}

void TForm1::cbLANDeviceChange() {
    clearPortTags();
    closeLine();
    const QComboBox* list = general_->cbLANDevice;
    currentDeviceEntry_ = list->currentText();
    if (list->currentIndex() < 0) {
        currentDeviceMAC_ = QLatin1String(config::kNoDeviceMac);
        link_->SetDeviceIP(QStringLiteral("0.0.0.0"));
    } else {
        currentDeviceMAC_ = config::DeviceEntryField(list->currentText(), config::DeviceEntry::Mac);
        link_->SetDeviceIP(config::DeviceEntryField(list->currentText(), config::DeviceEntry::Ip));
    }
    LoadPortTags(link_->ControlMode(), currentDeviceMAC_);
}

bool TForm1::connectMovedModule() {
    if (comMode() || !core::IsModuleMac(currentDeviceMAC_)) return false;
    // The failure stays in panel 2; its cause comes back to panel 3 after the search.
    const QString cause = sb_->panelText(static_cast<int>(devlink::StatusPanel::Notes));
    ShowStatus(devlink::StatusPanel::Notes, QStringLiteral("Searching TCP control device ..."),
               false);
    const auto moved = core::findMovedModule(*link_, flags_, currentDeviceMAC_);
    ShowStatus(devlink::StatusPanel::Notes, cause, false);
    if (!moved) return false;
    config::DeviceEntry entry = config::DeviceEntry::parse(currentDeviceEntry_);
    if (!dialogs_.question(core::MovedModuleQuestion(entry.tag, *moved))) return false;
    entry.ip = *moved;
    QComboBox* list = general_->cbLANDevice;
    list->removeItem(list->findText(currentDeviceEntry_, Qt::MatchExactly));
    if (list->findText(entry.text(), Qt::MatchExactly) < 0) addSorted(list, entry.text());
    list->setCurrentIndex(list->findText(entry.text(), Qt::MatchExactly));
    currentDeviceEntry_ = entry.text();
    link_->SetDeviceIP(*moved);
    SaveSettings();
    return link_->Connect();
}

void TForm1::btnSearchDeviceClick() {
    if (link_->IsSearching() || !runner_->LinkIdle()) return;
    closeLine();
    ShowStatus(devlink::StatusPanel::Operation, QStringLiteral("Searching TCP control device ..."),
               false);
    ShowStatus(devlink::StatusPanel::Notes, QString(), false);
    link_->SetUDPMode(devlink::umBROADCAST);
    link_->ClearFoundModules();
    auto& wizard = *findChild<TfrmSearch*>(QStringLiteral("TfrmSearch"));
    wizard.clearResults();
    const bool found = wizard.exec() == TfrmSearch::Ok;
    if (found) {
        QComboBox* list = general_->cbLANDevice;
        QString lastAdded;
        for (const QString& entry : wizard.results()) {
            if (list->findText(entry, Qt::MatchExactly) >= 0) continue;
            addSorted(list, entry);
            lastAdded = entry;
        }
        if (!lastAdded.isEmpty())
            list->setCurrentIndex(list->findText(lastAdded, Qt::MatchExactly));
    }
    // A search by address leaves DeviceIP at the typed address: the chosen entry decides again.
    cbLANDeviceChange();
    if (found) {
        ShowStatus(devlink::StatusPanel::Operation, QStringLiteral("Search TCP control device ok"),
                   false);
        // A found device is kept at once, as every other edit of the settings is.
        SaveSettings();
    } else {
        ShowStatus(devlink::StatusPanel::Operation,
                   QStringLiteral("Search TCP control device cancelled"), false);
    }
    ShowStatus(devlink::StatusPanel::Notes, QString(), false);
    if (!general_->rbLANMode->isChecked()) {
        ShowStatus(devlink::StatusPanel::Operation, QString(), false);
    }
}

void TForm1::btnConfigClick() {
    if (!runner_->LinkIdle()) return;
    QComboBox* list = general_->cbLANDevice;
    const int index = list->currentIndex();
    if (index < 0) {
        dialogs_.information(QStringLiteral("TCP control deivce not found."));
        return;
    }
    const config::DeviceEntry device = config::DeviceEntry::parse(list->currentText());
    closeLine();
    ShowStatus(devlink::StatusPanel::Operation, QString(), false);
    ShowStatus(devlink::StatusPanel::Notes, QString(), false);

    LanDialogOptions options;
    options.addressEditable = device.sameSubnet;
    auto& dialog = *findChild<TfrmEditLAN*>(QStringLiteral("TfrmEditLAN"));
    const std::optional<LanSettings> edited =
        dialog.edit({device.tag, device.autoIp, device.ip, currentDeviceMAC_}, options);
    if (!edited) {
        ShowStatus(devlink::StatusPanel::Operation,
                   QStringLiteral("Modify TCP configuration cancelled"), false);
        return;
    }
    ApplyModeEnabling(link_->ControlMode(), true);
    ShowStatus(devlink::StatusPanel::Operation,
               QStringLiteral("Setting TCP control configuration ..."), false);
    lan::ModuleSettings settings;
    settings.mac = lan::ParseMacText(currentDeviceMAC_).value_or(lan::MacAddress{});
    settings.tag = edited->deviceTag;
    settings.sameSubnet = device.sameSubnet;
    settings.dhcp = edited->autoIp;
    settings.ip = AddressBytes(edited->ipAddress);
    const int result = link_->ConfigureModule(lan::BuildConfigRecord(settings));
    link_->WaitTicks(2);
    switch (result) {
        case 0: {
            ShowStatus(devlink::StatusPanel::Operation,
                       QStringLiteral("Modify TCP configuration ok"), false);
            const config::DeviceEntry changed{edited->deviceTag, edited->autoIp, edited->ipAddress,
                                              edited->macAddress, device.sameSubnet};
            list->removeItem(index);
            const int existing = list->findText(changed.text(), Qt::MatchExactly);
            list->setCurrentIndex(existing >= 0 ? existing : addSorted(list, changed.text()));
            cbLANDeviceChange();
            SaveSettings();
            break;
        }
        case 2:
            ShowStatus(devlink::StatusPanel::Operation,
                       QStringLiteral("Setting IP conflict:") + edited->ipAddress, true);
            ShowStatus(devlink::StatusPanel::Notes, QString(), false);
            break;
        default:
            ShowStatus(devlink::StatusPanel::Operation,
                       QStringLiteral("Modify TCP configuration failed"), true);
            ShowStatus(devlink::StatusPanel::Notes, QString(), false);
            break;
    }
    ApplyModeEnabling(link_->ControlMode(), false);
    if (general_->btnConfig->isEnabled() && pcContainer_->currentWidget() == general_) {
        general_->btnConfig->setFocus();
    }
}

void TForm1::btnDeleteDeviceClick() {
    QComboBox* list = general_->cbLANDevice;
    const int index = list->currentIndex();
    if (index < 0 || !runner_->LinkIdle()) return;
    if (!dialogs_.question(QStringLiteral("Sure to delete device: ") + list->currentText() +
                           QStringLiteral(" ?"))) {
        return;
    }
    list->removeItem(index);
    list->setCurrentIndex(std::min(index, list->count() - 1));
    cbLANDeviceChange();
    SaveSettings();
}

}  // namespace ui

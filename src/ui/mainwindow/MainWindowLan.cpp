#include "core/MovedModule.h"
#include "lan/ModuleRecords.h"
#include "settings/DeviceEntry.h"
#include "settings/PortTagSections.h"
#include "ui/dialogs/EditLAN.h"
#include "ui/dialogs/SearchWizard.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/mainwindow/PageControl.h"
#include "ui/mainwindow/StatusBar.h"
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
    const std::pair<void (GeneralPage::*)(), void (TForm1::*)()> requests[] = {
        {&GeneralPage::deviceClicked, &TForm1::cbLANDeviceChosen},
        {&GeneralPage::searchRequested, &TForm1::btnSearchDeviceClick},
        {&GeneralPage::configRequested, &TForm1::btnConfigClick},
        {&GeneralPage::deleteRequested, &TForm1::btnDeleteDeviceClick},
    };
    for (const auto& [request, handler] : requests) {
        connect(general_, request, this, handler);
    }
}

void TForm1::loadDevices(const config::SettingsData& settings) {
    general_->setDevices(settings.lanDeviceList, settings.lanDeviceName);
    cbLANDeviceChange();
}

void TForm1::storeDevices(config::SettingsData& settings) const {
    settings.lanDeviceList = general_->devices();
    settings.lanDeviceName = general_->chosenDevice();
}

void TForm1::cbLANDeviceChosen() {
    if (runner_->LinkIdle()) {
        cbLANDeviceChange();
        return;
    }
    general_->chooseDevice(currentDeviceEntry_);
}

void TForm1::cbLANDeviceChange() {
    clearPortTags();
    closeLine();
    currentDeviceEntry_ = general_->chosenDevice();
    if (!general_->deviceChosen()) {
        currentDeviceMAC_ = QLatin1String(config::kNoDeviceMac);
        link_->SetDeviceIP(QStringLiteral("0.0.0.0"));
    } else {
        currentDeviceMAC_ = config::DeviceEntryField(currentDeviceEntry_, config::DeviceEntry::Mac);
        link_->SetDeviceIP(config::DeviceEntryField(currentDeviceEntry_, config::DeviceEntry::Ip));
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
    general_->removeDevice(currentDeviceEntry_);
    general_->addDevice(entry.text());
    general_->chooseDevice(entry.text());
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
        QString lastAdded;
        for (const QString& entry : wizard.results()) {
            if (general_->addDevice(entry)) lastAdded = entry;
        }
        if (!lastAdded.isEmpty()) general_->chooseDevice(lastAdded);
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
    if (!general_->lanModeShown()) {
        ShowStatus(devlink::StatusPanel::Operation, QString(), false);
    }
}

void TForm1::btnConfigClick() {
    if (!runner_->LinkIdle()) return;
    if (!general_->deviceChosen()) {
        dialogs_.information(QStringLiteral("TCP control deivce not found."));
        return;
    }
    const QString chosen = general_->chosenDevice();
    const config::DeviceEntry device = config::DeviceEntry::parse(chosen);
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
            general_->removeDevice(chosen);
            general_->addDevice(changed.text());
            general_->chooseDevice(changed.text());
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
    if (pcContainer_->currentWidget() == general_) general_->focusConfig();
}

void TForm1::btnDeleteDeviceClick() {
    if (!general_->deviceChosen() || !runner_->LinkIdle()) return;
    const QString chosen = general_->chosenDevice();
    if (!dialogs_.question(QStringLiteral("Sure to delete device: ") + chosen +
                           QStringLiteral(" ?"))) {
        return;
    }
    general_->removeDevice(chosen);
    cbLANDeviceChange();
    SaveSettings();
}

}  // namespace ui

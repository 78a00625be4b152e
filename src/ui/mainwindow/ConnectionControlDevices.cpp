#include <array>

#include "core/MovedModule.h"
#include "lan/ModuleRecords.h"
#include "settings/DeviceEntry.h"
#include "settings/PortTagSections.h"
#include "ui/dialogs/EditLAN.h"
#include "ui/dialogs/SearchWizard.h"
#include "ui/mainwindow/ConnectionControl.h"
#include "ui/pages/general/GeneralPage.h"
#include "ui/presenters/Dialogs.h"

// The TCP control devices: the list, search, configuration and deletion.
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

void ConnectionControl::loadDevices(const config::SettingsData& settings) {
    page_.setDevices(settings.lanDeviceList, settings.lanDeviceName);
    cbLANDeviceChange();
}

void ConnectionControl::cbLANDeviceChosen() {
    if (runner_.LinkIdle()) {
        cbLANDeviceChange();
        return;
    }
    page_.chooseDevice(currentDeviceEntry_);
}

void ConnectionControl::cbLANDeviceChange() {
    window_.clearPortTags();
    closeLine();
    currentDeviceEntry_ = page_.chosenDevice();
    if (!page_.deviceChosen()) {
        currentDeviceMAC_ = QLatin1String(config::kNoDeviceMac);
        link_.SetDeviceIP(QStringLiteral("0.0.0.0"));
    } else {
        currentDeviceMAC_ = config::DeviceEntryField(currentDeviceEntry_, config::DeviceEntry::Mac);
        link_.SetDeviceIP(config::DeviceEntryField(currentDeviceEntry_, config::DeviceEntry::Ip));
    }
    window_.loadPortTags(link_.ControlMode(), currentDeviceMAC_);
}

bool ConnectionControl::connectMovedModule() {
    if (comMode() || !core::IsModuleMac(currentDeviceMAC_)) return false;
    // The failure stays in panel 2; its cause comes back to panel 3 after the search.
    const QString cause = window_.statusText(devlink::StatusPanel::Notes);
    window_.showStatus(devlink::StatusPanel::Notes,
                       QStringLiteral("Searching TCP control device ..."), false);
    const auto moved = core::findMovedModule(link_, guard_, currentDeviceMAC_);
    window_.showStatus(devlink::StatusPanel::Notes, cause, false);
    if (!moved) return false;
    config::DeviceEntry entry = config::DeviceEntry::parse(currentDeviceEntry_);
    if (!dialogs_.question(core::MovedModuleQuestion(entry.tag, *moved))) return false;
    entry.ip = *moved;
    page_.removeDevice(currentDeviceEntry_);
    page_.addDevice(entry.text());
    page_.chooseDevice(entry.text());
    currentDeviceEntry_ = entry.text();
    link_.SetDeviceIP(*moved);
    window_.saveSettings();
    return link_.Connect();
}

void ConnectionControl::btnSearchDeviceClick() {
    if (link_.IsSearching() || !runner_.LinkIdle()) return;
    closeLine();
    window_.showStatus(devlink::StatusPanel::Operation,
                       QStringLiteral("Searching TCP control device ..."), false);
    window_.showStatus(devlink::StatusPanel::Notes, QString(), false);
    link_.SetUDPMode(devlink::umBROADCAST);
    link_.ClearFoundModules();
    auto& wizard = window_.searchWizard();
    wizard.clearResults();
    const bool found = wizard.exec() == TfrmSearch::Ok;
    if (found) {
        QString lastAdded;
        for (const QString& entry : wizard.results()) {
            if (page_.addDevice(entry)) lastAdded = entry;
        }
        if (!lastAdded.isEmpty()) page_.chooseDevice(lastAdded);
    }
    // A search by address leaves DeviceIP at the typed address: the chosen entry decides again.
    cbLANDeviceChange();
    if (found) {
        window_.showStatus(devlink::StatusPanel::Operation,
                           QStringLiteral("Search TCP control device ok"), false);
        // A found device is kept at once, as every other edit of the settings is.
        window_.saveSettings();
    } else {
        window_.showStatus(devlink::StatusPanel::Operation,
                           QStringLiteral("Search TCP control device cancelled"), false);
    }
    window_.showStatus(devlink::StatusPanel::Notes, QString(), false);
    if (!page_.lanModeShown()) {
        window_.showStatus(devlink::StatusPanel::Operation, QString(), false);
    }
}

void ConnectionControl::btnConfigClick() {
    if (!runner_.LinkIdle()) return;
    if (!page_.deviceChosen()) {
        dialogs_.information(QStringLiteral("TCP control deivce not found."));
        return;
    }
    const QString chosen = page_.chosenDevice();
    const config::DeviceEntry device = config::DeviceEntry::parse(chosen);
    closeLine();
    window_.showStatus(devlink::StatusPanel::Operation, QString(), false);
    window_.showStatus(devlink::StatusPanel::Notes, QString(), false);

    LanDialogOptions options;
    options.addressEditable = device.sameSubnet;
    auto& dialog = window_.lanDialog();
    const std::optional<LanSettings> edited =
        dialog.edit({device.tag, device.autoIp, device.ip, currentDeviceMAC_}, options);
    if (!edited) {
        window_.showStatus(devlink::StatusPanel::Operation,
                           QStringLiteral("Modify TCP configuration cancelled"), false);
        return;
    }
    ApplyModeEnabling(link_.ControlMode(), true);
    window_.showStatus(devlink::StatusPanel::Operation,
                       QStringLiteral("Setting TCP control configuration ..."), false);
    lan::ModuleSettings settings;
    settings.mac = lan::ParseMacText(currentDeviceMAC_).value_or(lan::MacAddress{});
    settings.tag = edited->deviceTag;
    settings.sameSubnet = device.sameSubnet;
    settings.dhcp = edited->autoIp;
    settings.ip = AddressBytes(edited->ipAddress);
    const int result = link_.ConfigureModule(lan::BuildConfigRecord(settings));
    link_.WaitTicks(2);
    switch (result) {
        case 0: {
            window_.showStatus(devlink::StatusPanel::Operation,
                               QStringLiteral("Modify TCP configuration ok"), false);
            const config::DeviceEntry changed{edited->deviceTag, edited->autoIp, edited->ipAddress,
                                              edited->macAddress, device.sameSubnet};
            page_.removeDevice(chosen);
            page_.addDevice(changed.text());
            page_.chooseDevice(changed.text());
            cbLANDeviceChange();
            window_.saveSettings();
            break;
        }
        case 2:
            window_.showStatus(devlink::StatusPanel::Operation,
                               QStringLiteral("Setting IP conflict:") + edited->ipAddress, true);
            window_.showStatus(devlink::StatusPanel::Notes, QString(), false);
            break;
        default:
            window_.showStatus(devlink::StatusPanel::Operation,
                               QStringLiteral("Modify TCP configuration failed"), true);
            window_.showStatus(devlink::StatusPanel::Notes, QString(), false);
            break;
    }
    ApplyModeEnabling(link_.ControlMode(), false);
    if (window_.generalShowing()) page_.focusConfig();
}

void ConnectionControl::btnDeleteDeviceClick() {
    if (!page_.deviceChosen() || !runner_.LinkIdle()) return;
    const QString chosen = page_.chosenDevice();
    if (!dialogs_.question(QStringLiteral("Sure to delete device: ") + chosen +
                           QStringLiteral(" ?"))) {
        return;
    }
    page_.removeDevice(chosen);
    cbLANDeviceChange();
    window_.saveSettings();
}

}  // namespace ui

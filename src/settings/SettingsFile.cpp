#include "settings/SettingsFile.h"

#include <QDir>
#include <functional>
#include <utility>

#include "settings/IniFile.h"
#include "settings/PortTagSections.h"
#include "settings/PresetValue.h"

namespace config {

namespace {

const QString kWarning = QStringLiteral("WARNING");
const QString kControlMode = QStringLiteral("Control mode");
const QString kComPort = QStringLiteral("COM port");
const QString kLanDevice = QStringLiteral("TCP control device");
const QString kLanDeviceList = QStringLiteral("TCP control device list");
const QString kPresetNames = QStringLiteral("Pre-Setting name");
const QString kPresetValues = QStringLiteral("Pre-Setting value");
const QString kInDeviceNames = QStringLiteral("In device name");
const QString kOutDisplayNames = QStringLiteral("Out display name");
const QString kEdid = QStringLiteral("EDID setting");
const QString kDisplayTag = QStringLiteral("Display tag");
const QString kName = QStringLiteral("Name");
const QString kFollow = QStringLiteral("Follow switcher");
const QString kEnabled = QStringLiteral("Enabled");

const std::array<std::pair<const char*, QString EdidChoices::*>, 8> kEdidKeys{{
    {"EDID mode", &EdidChoices::edidMode},
    {"In of EDID mode", &EdidChoices::inOfEdidMode},
    {"Out of Copy EDID", &EdidChoices::outOfCopyEdid},
    {"In of Copy EDID", &EdidChoices::inOfCopyEdid},
    {"Out of Read EDID", &EdidChoices::outOfReadEdid},
    {"In of Download EDID", &EdidChoices::inOfDownloadEdid},
    {"Save EDID file", &EdidChoices::saveEdidFile},
    {"Open EDID file", &EdidChoices::openEdidFile},
}};

QString numbered(const char* prefix, int n) {
    return QLatin1String(prefix) + QString::number(n);
}

// Erased first, so entries that were removed do not linger under higher numbers.
void rewriteList(IniDocument& document, const QString& section, const char* keyPrefix,
                 const QStringList& entries) {
    document.eraseSection(section);
    for (int n = 1; n <= entries.size(); ++n) {
        document.setValue(section, numbered(keyPrefix, n), entries[n - 1]);
    }
}

}  // namespace

SettingsData readSettings(const IniDocument& document) {
    SettingsData data;
    data.controlModeLan = document.boolValue(kControlMode, QStringLiteral("Mode"), true);
    data.comPortName = document.value(kComPort, kName);
    data.lanDeviceList = document.values(kLanDeviceList);
    data.lanDeviceName = document.value(kLanDevice, kName);
    for (int n = 1; n <= kPresetCount; ++n) {
        data.presetNames[n - 1] =
            document.value(kPresetNames, numbered("Setting", n), numbered("Setting", n));
        data.presetValues[n - 1] =
            splitPresetValue(document.value(kPresetValues, numbered("value", n)));
    }
    data.inDeviceNames = document.values(kInDeviceNames);
    data.outDisplayNames = document.values(kOutDisplayNames);
    for (const auto& [key, field] : kEdidKeys) {
        data.edid.*field = document.value(kEdid, QLatin1String(key));
    }
    data.displayTag = document.boolValue(kDisplayTag, QStringLiteral("Value"), false);
    data.followSwitcher = document.boolValue(kFollow, kEnabled, false);
    return data;
}

void writeSettings(IniDocument& document, const SettingsData& data, const ConnectionTags& tags) {
    document.setValue(kWarning, QStringLiteral("NOTE"),
                      QStringLiteral("DON'T MODIFY THIS FILE MANUALLY!"));
    document.setBool(kControlMode, QStringLiteral("Mode"), data.controlModeLan);
    // An empty choice keeps the one stored before.
    if (!data.comPortName.isEmpty()) document.setValue(kComPort, kName, data.comPortName);
    if (!data.lanDeviceName.isEmpty()) document.setValue(kLanDevice, kName, data.lanDeviceName);
    rewriteList(document, kLanDeviceList, "Device No.", data.lanDeviceList);
    savePortTags(document, tags.isCom, tags.mac, tags.tags);
    for (int n = 1; n <= kPresetCount; ++n) {
        document.setValue(kPresetNames, numbered("Setting", n), data.presetNames[n - 1]);
        document.setValue(kPresetValues, numbered("value", n),
                          joinPresetValue(data.presetValues[n - 1]));
    }
    rewriteList(document, kInDeviceNames, "Device", data.inDeviceNames);
    rewriteList(document, kOutDisplayNames, "Display", data.outDisplayNames);
    for (const auto& [key, field] : kEdidKeys) {
        document.setValue(kEdid, QLatin1String(key), data.edid.*field);
    }
    document.setBool(kDisplayTag, QStringLiteral("Value"), data.displayTag);
    // Files of operators who never ticked the box stay as they were.
    if (data.followSwitcher || !document.keys(kFollow).isEmpty())
        document.setBool(kFollow, kEnabled, data.followSwitcher);
}

namespace {

QString unreadable(const QString& path, const QString& problem) {
    return QStringLiteral(
               "The settings file %1 could not be read (%2). The program runs on default "
               "settings and leaves the file as it is.")
        .arg(QDir::toNativeSeparators(path), problem);
}

// Saves go over the whole file, so they start from what it holds; one that could not be
// read would lose every section, the ones this program does not use included.
std::optional<QString> rewrite(const QString& path,
                               const std::function<void(IniDocument&)>& change) {
    IniRead read = readIniFile(path);
    if (!read.readable()) return unreadable(path, read.problem);
    change(read.document);
    return writeIniFile(path, read.document);
}

}  // namespace

LoadedSettings loadSettings(const QString& path) {
    const IniRead read = readIniFile(path);
    return {readSettings(read.document),
            read.readable() ? QString() : unreadable(path, read.problem)};
}

PortTags loadPortTags(const QString& path, bool isCom, const QString& mac) {
    return loadPortTags(readIniFile(path).document, isCom, mac);
}

std::optional<QString> saveSettings(const QString& path, const SettingsData& data,
                                    const ConnectionTags& tags) {
    return rewrite(path, [&](IniDocument& document) { writeSettings(document, data, tags); });
}

std::optional<QString> savePortTags(const QString& path, const ConnectionTags& tags) {
    return rewrite(path, [&](IniDocument& document) {
        savePortTags(document, tags.isCom, tags.mac, tags.tags);
    });
}

}  // namespace config

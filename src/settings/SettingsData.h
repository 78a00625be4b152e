#pragma once

#include <QString>
#include <QStringList>
#include <array>

namespace config {

inline constexpr int kPresetCount = 8;
inline constexpr int kTaggedPortCount = 6;

// The last choices of the "EDID control" page, as the lists and edits show them.
struct EdidChoices {
    QString edidMode;
    QString inOfEdidMode;
    QString outOfCopyEdid;
    QString inOfCopyEdid;
    QString outOfReadEdid;
    QString inOfDownloadEdid;
    QString saveEdidFile;
    QString openEdidFile;

    bool operator==(const EdidChoices&) const = default;
};

// Everything "Settings.ini" holds except the port tags, which belong to a connection.
// A default-constructed value is what a missing file reads as.
struct SettingsData {
    bool controlModeLan = true;
    QString comPortName;
    QString lanDeviceName;
    QStringList lanDeviceList;
    std::array<QString, kPresetCount> presetNames = defaultPresetNames();
    std::array<QStringList, kPresetCount> presetValues = defaultPresetValues();
    QStringList inDeviceNames;
    QStringList outDisplayNames;
    EdidChoices edid;
    bool displayTag = false;
    // Keep the window in step with changes made at the switcher (polls while idle).
    bool followSwitcher = false;

    bool operator==(const SettingsData&) const = default;

    static std::array<QString, kPresetCount> defaultPresetNames();
    static std::array<QStringList, kPresetCount> defaultPresetValues();
};

// Tags of inputs 1 to 6 and outputs 1 to 6; an empty text means no tag.
struct PortTags {
    std::array<QString, kTaggedPortCount> inputs;
    std::array<QString, kTaggedPortCount> outputs;

    bool operator==(const PortTags&) const = default;
};

// The tag set of one connection: COM control mode, or the TCP control device with
// this MAC address text.
struct ConnectionTags {
    bool isCom = false;
    QString mac;
    PortTags tags;
};

}  // namespace config

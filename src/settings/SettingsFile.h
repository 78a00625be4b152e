#pragma once

#include <QString>
#include <optional>

#include "settings/IniDocument.h"
#include "settings/SettingsData.h"

namespace config {

// The settings in a document; missing or unreadable keys take their defaults.
SettingsData readSettings(const IniDocument& document);

// Writes every setting and the tag set of the current connection into the document.
// The device list and the name histories are rewritten from scratch, so their sections
// move to the end; sections of other connections and unknown ones stay as they are.
void writeSettings(IniDocument& document, const SettingsData& data, const ConnectionTags& tags);

struct LoadedSettings {
    SettingsData data;
    // Set when the file exists but could not be read: the data are the defaults, and
    // the file must not be saved over.
    QString problem;
};

// The file-level operations: each opens the file, and a save rewrites the whole file
// atomically. A failed save returns "Unable to write to <path>" and changes nothing; a
// file that cannot be read is never saved over: the save returns why and leaves it.
LoadedSettings loadSettings(const QString& path);
PortTags loadPortTags(const QString& path, bool isCom, const QString& mac);
std::optional<QString> saveSettings(const QString& path, const SettingsData& data,
                                    const ConnectionTags& tags);
std::optional<QString> savePortTags(const QString& path, const ConnectionTags& tags);

}  // namespace config

#pragma once

#include <QString>

#include "settings/IniDocument.h"
#include "settings/SettingsData.h"

namespace config {

// The MAC address text while no TCP control device is selected; never keys stored tags.
inline constexpr char kNoDeviceMac[] = "00-00-00-00-00-00";

// The tags of COM control mode, or of the TCP control device with this MAC address.
PortTags loadPortTags(const IniDocument& document, bool isCom, const QString& mac);

// Writes the tag set (empty tags included), then removes every tag section, of any
// connection, left without a non-blank value. In TCP control mode nothing is written
// for kNoDeviceMac or an empty MAC.
void savePortTags(IniDocument& document, bool isCom, const QString& mac, const PortTags& tags);

}  // namespace config

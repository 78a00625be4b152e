#pragma once

#include <QString>
#include <QStringList>

#include "settings/SettingsData.h"

// The port lists of the "EDID control" tab; index 0 of each chooses nothing.
namespace ui {

// "Out3", or "Out3 - [TV]" when the output has a tag.
QString outputEntryText(int output, const QString& tag);

// "Select Input", the six inputs, "All Inputs".
QStringList edidInputList(const config::PortTags& tags);
// The input list followed by "User1 Memory" and "User2 Memory".
QStringList edidDownloadList(const config::PortTags& tags);
// "Select Output" and the six outputs.
QStringList edidOutputList(const config::PortTags& tags);

}  // namespace ui

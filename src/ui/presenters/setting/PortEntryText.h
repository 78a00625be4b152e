#pragma once

#include <QString>
#include <QStringList>

#include "settings/SettingsData.h"

// The texts that name ports in the routing note and the pre-setting dialog.
namespace ui {

// "In2", or "In2 - [DVD]" when the input has a tag.
QString inputEntryText(int input, const QString& tag);

// "Out3 from", or "Out3 - [TV] from" when the output has a tag.
QString outputFromText(int output, const QString& tag);

// "Output3 - [TV] from Input2 - [DVD]", each tag only when the port has one. The
// input is shown as the digit display shows it.
QString routeNoteText(int output, const QString& inputDigit, const config::PortTags& tags);

// The lines of the tag pop-up: outputs 1 to 6, then inputs 1 to 6, each
// "Output1 - [TV]" or "Output1 - No tag".
QStringList tagListLines(const config::PortTags& tags);

// The tag of a port from 1 to 6; empty for any other number.
QString inputTag(const config::PortTags& tags, int input);
QString outputTag(const config::PortTags& tags, int output);

}  // namespace ui

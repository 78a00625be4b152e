#pragma once

#include <QString>
#include <QStringList>

namespace config {

// The output cells of a pre-setting from its stored text. Items are separated by ","
// or by blanks (a run of blanks, with or without a "," in it, is one separator; ",,"
// leaves an empty item); text in double quotes is one item, "" inside standing for one
// quote. Fewer than six items are followed by "1", "2", ... up to six; more are kept.
QStringList splitPresetValue(const QString& text);

// The cells joined by ",". A cell that would not come back as one item (empty, or with
// a blank, "," or quote in it) is written in double quotes.
QString joinPresetValue(const QStringList& cells);

}  // namespace config

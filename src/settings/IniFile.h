#pragma once

#include <QString>
#include <optional>

#include "settings/IniDocument.h"

namespace ui {

// A missing, unreadable or oversized file reads as an empty document: every setting
// then takes its default. Only regular files are opened, so a FIFO cannot block.
IniDocument readIniFile(const QString& path);

// Writes the whole document beside the old file and swaps it in with one rename, so a
// crash or a full disk leaves the old file or the new one, never half of one.
// On failure returns "Unable to write to <path>" and the old file is untouched.
std::optional<QString> writeIniFile(const QString& path, const IniDocument& document);

}  // namespace ui

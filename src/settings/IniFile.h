#pragma once

#include <QString>
#include <optional>

#include "settings/IniDocument.h"

namespace ui {

struct IniRead {
    IniDocument document;
    // Why a file that exists could not be read whole; empty when it was read or is missing.
    QString problem;

    bool readable() const { return problem.isEmpty(); }
};

// A missing file reads as an empty document. One that exists but cannot be read whole
// (oversized, not a regular file, refused) reads as an empty document with the reason;
// it must not be saved over. Only regular files are opened, so a FIFO cannot block.
IniRead readIniFile(const QString& path);

// Writes the whole document beside the old file and swaps it in with one rename, so a
// crash or a full disk leaves the old file or the new one, never half of one.
// On failure returns "Unable to write to <path>" and the old file is untouched.
std::optional<QString> writeIniFile(const QString& path, const IniDocument& document);

// A save killed after its temporary file got a name and before the rename leaves that file,
// "<name>.XXXXXX", beside the settings file; removes every such leftover.
void removeStaleSaves(const QString& path);

}  // namespace ui

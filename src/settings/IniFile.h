#pragma once

#include <QString>
#include <optional>

#include "settings/IniDocument.h"

namespace config {

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

// A save killed before its rename leaves its temporary file, "<name>.gc-save-XXXXXX", beside
// the settings file; removes such leftovers once they are minutes old (a younger one may
// belong to another instance's save under way) and nothing else.
void removeStaleSaves(const QString& path);

}  // namespace config

#pragma once

#include <QByteArray>
#include <QString>

#include "device/Edid.h"

// EDID image files: the raw bytes and nothing else.
namespace device {

struct EdidReadResult {
    QByteArray edid;  // the 256 checked bytes; empty on failure
    EdidStatus status = EdidStatus::Ok;

    bool ok() const { return status == EdidStatus::Ok; }
};

// Reads at most one byte more than the longest accepted file, so a huge or endless
// file is refused without being loaded. Only regular files are opened: a FIFO or a
// device would block or never end.
EdidReadResult readEdidFile(const QString& path);

// What a file's bytes give: the checked image without the ignored trailer byte.
EdidReadResult edidFromFileBytes(const QByteArray& data);

// Writes the first 256 bytes of a checked image as the whole file. The old file is
// replaced only once the new one is complete.
EdidStatus writeEdidFile(const QString& path, const QByteArray& edid);

}  // namespace device

#pragma once

#include <QStringList>
#include <QTextStream>

namespace device {

// The fw-merge command line: merges per-MCU images into a firmware file with the window's
// name rule and message lines, or lists the sections of a firmware file. `arguments` starts
// with the program name. Returns the exit code: 0 done; 1 failed (an image that cannot be
// loaded, nothing merged, the file not saved or not overwritten), and then nothing is written;
// 2 wrong usage, a version other than one or two numbers from 0 to 255 among it.
int RunFirmwareMergeTool(const QStringList& arguments, QTextStream& out, QTextStream& err);

}  // namespace device

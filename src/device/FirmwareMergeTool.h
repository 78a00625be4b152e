#pragma once

#include <QStringList>
#include <QTextStream>

namespace device {

// The fw-merge command line: merges per-MCU images into a firmware file with the window's
// name rule and message lines, or lists the sections of a firmware file. `arguments` starts
// with the program name. Returns the exit code: 0 done, 1 failed, 2 wrong usage.
int RunFirmwareMergeTool(const QStringList& arguments, QTextStream& out, QTextStream& err);

}  // namespace device

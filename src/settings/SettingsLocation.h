#pragma once

#include <QString>

namespace config {

// Where "Settings.ini" lives: in the program's directory when that directory is
// writable; otherwise in the per-user configuration folder, which is created, and
// which starts as a copy of the program directory's file when it has none yet. The
// whole file is replaced on every save, so a writable file in a read-only directory
// does not count. An installed copy (its desktop entry in ../share/applications)
// always uses the configuration folder, so root never writes among the system's
// programs and removing the package leaves nothing behind.
QString locateSettingsFile(const QString& programDir, const QString& configDir);

// The same for this program: QCoreApplication::applicationDirPath() and the
// application's configuration location.
QString locateSettingsFile();

}  // namespace config

#include "settings/SettingsLocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace config {

namespace {

const QString kFileName = QStringLiteral("Settings.ini");

// The copy takes the original's permissions, which may forbid the next save.
bool seedFrom(const QString& source, const QString& target) {
    return QFile::copy(source, target) &&
           QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

// Installed beside its desktop entry, the program is one of the system's, even for root.
bool isInstalledCopy(const QString& programDir) {
    return QFileInfo::exists(
        QDir(programDir).filePath(QStringLiteral("../share/applications/gui-controller.desktop")));
}

}  // namespace

QString locateSettingsFile(const QString& programDir, const QString& configDir) {
    const QString programFile = QDir(programDir).filePath(kFileName);
    const QFileInfo programDirInfo(programDir);
    if (programDirInfo.isDir() && programDirInfo.isWritable() && !isInstalledCopy(programDir)) {
        return programFile;
    }

    const QString configFile = QDir(configDir).filePath(kFileName);
    if (QFileInfo::exists(configFile)) return configFile;
    if (!QDir().mkpath(configDir)) return programFile;  // read-only use; saves report it
    if (QFileInfo(programFile).isFile() && !seedFrom(programFile, configFile)) {
        QFile::remove(configFile);
        return programFile;
    }
    return configFile;
}

QString locateSettingsFile() {
    return locateSettingsFile(QCoreApplication::applicationDirPath(),
                              QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
}

}  // namespace config

#include "settings/SettingsLocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace ui {

namespace {

const QString kFileName = QStringLiteral("Settings.ini");

// The copy takes the original's permissions, which may forbid the next save.
bool seedFrom(const QString& source, const QString& target) {
    return QFile::copy(source, target) &&
           QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

}  // namespace

QString locateSettingsFile(const QString& programDir, const QString& configDir) {
    const QString programFile = QDir(programDir).filePath(kFileName);
    const QFileInfo programDirInfo(programDir);
    if (programDirInfo.isDir() && programDirInfo.isWritable()) return programFile;

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

}  // namespace ui

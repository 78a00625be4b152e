#include "settings/IniFile.h"

#include <unistd.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <cstdio>

namespace config {

namespace {

// Far beyond any real settings file; guards memory against a runaway file.
constexpr qint64 kMaxFileSize = 16 * 1024 * 1024;

// A save's temporary file is the settings file's name, this mark and six random letters or
// digits: a name no one else gives a file, so start-up never mistakes the user's for ours.
const QString kSaveMark = QStringLiteral(".gc-save-");
constexpr int kSaveRandomLength = 6;
// A save takes milliseconds: a younger temporary file may be another instance's save under way.
constexpr qint64 kStaleAfterSeconds = 5 * 60;
// What a new file gets before the umask, as any program's files.
constexpr QFileDevice::Permissions kNewFilePermissions =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
    QFileDevice::WriteGroup | QFileDevice::ReadOther | QFileDevice::WriteOther;

QString randomSaveSuffix() {
    static const QString kChars =
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789");
    QString suffix;
    for (int i = 0; i < kSaveRandomLength; ++i)
        suffix += kChars[QRandomGenerator::global()->bounded(kChars.size())];
    return suffix;
}

// The file a save replaces: through a symbolic link to its target, so the link stays.
QString savedFile(const QString& path) {
    const QString target = QFileInfo(path).canonicalFilePath();
    return target.isEmpty() ? path : target;
}

}  // namespace

IniRead readIniFile(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) return {};
    const auto failed = [](const QString& problem) { return IniRead{IniDocument(), problem}; };
    const QString tooLarge = QStringLiteral("it is larger than %1 MB").arg(kMaxFileSize >> 20);
    if (!info.isFile()) return failed(QStringLiteral("it is not a regular file"));
    if (info.size() > kMaxFileSize) return failed(tooLarge);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return failed(file.errorString());
    const QByteArray bytes = file.read(kMaxFileSize + 1);
    if (file.error() != QFileDevice::NoError) return failed(file.errorString());
    if (bytes.size() > kMaxFileSize) return failed(tooLarge);  // it grew while being read
    return {IniDocument(bytes), QString()};
}

void removeStaleSaves(const QString& path) {
    const QFileInfo info(savedFile(path));
    QDir folder = info.absoluteDir();
    const QString prefix = info.fileName() + kSaveMark;
    const QRegularExpression leftover(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(prefix) +
        QStringLiteral("[A-Za-z0-9]{%1}").arg(kSaveRandomLength)));
    const QDateTime staleBefore = QDateTime::currentDateTimeUtc().addSecs(-kStaleAfterSeconds);
    for (const QFileInfo& file : folder.entryInfoList(
             {prefix + QStringLiteral("*")}, QDir::Files | QDir::Hidden | QDir::NoSymLinks)) {
        if (leftover.match(file.fileName()).hasMatch() && file.lastModified() < staleBefore)
            folder.remove(file.fileName());
    }
}

std::optional<QString> writeIniFile(const QString& path, const IniDocument& document) {
    const QString failure =
        QStringLiteral("Unable to write to %1").arg(QDir::toNativeSeparators(path));
    const QString target = savedFile(path);
    const QFileInfo old(target);
    QFile file(target + kSaveMark + randomSaveSuffix());
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly,
                   old.exists() ? old.permissions() : kNewFilePermissions))
        return failure;
    const QByteArray bytes = document.toBytes();
    const bool written =
        file.write(bytes) == bytes.size() && file.flush() && ::fsync(file.handle()) == 0;
    file.close();
    if (written && std::rename(QFile::encodeName(file.fileName()).constData(),
                               QFile::encodeName(target).constData()) == 0)
        return std::nullopt;
    file.remove();
    return failure;
}

}  // namespace config

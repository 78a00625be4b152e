#include "settings/IniFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

namespace ui {

namespace {

// Far beyond any real settings file; guards memory against a runaway file.
constexpr qint64 kMaxFileSize = 16 * 1024 * 1024;

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
    const QFileInfo info(path);
    QDir folder = info.absoluteDir();
    // The temporary file's name is the settings file's, a dot and six random letters or digits.
    const QRegularExpression leftover(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(info.fileName()) + QStringLiteral("\\.[A-Za-z0-9]{6}")));
    for (const QString& name : folder.entryList({info.fileName() + QStringLiteral(".*")},
                                                QDir::Files | QDir::Hidden | QDir::System)) {
        if (leftover.match(name).hasMatch()) folder.remove(name);
    }
}

std::optional<QString> writeIniFile(const QString& path, const IniDocument& document) {
    const QString failure =
        QStringLiteral("Unable to write to %1").arg(QDir::toNativeSeparators(path));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return failure;
    const QByteArray bytes = document.toBytes();
    if (file.write(bytes) != bytes.size() || !file.commit()) return failure;
    return std::nullopt;
}

}  // namespace ui

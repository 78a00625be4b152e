#include "settings/IniFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace ui {

namespace {

// Far beyond any real settings file; guards memory against a runaway file.
constexpr qint64 kMaxFileSize = 16 * 1024 * 1024;

}  // namespace

IniDocument readIniFile(const QString& path) {
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > kMaxFileSize) return IniDocument();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return IniDocument();
    return IniDocument(file.read(kMaxFileSize));
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

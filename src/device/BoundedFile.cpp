#include "device/BoundedFile.h"

#include <QFile>
#include <QFileInfo>

namespace device {

FileReadResult ReadWholeFile(const QString& path, qint64 limit) {
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists()) return {{}, FileReadStatus::Missing, 0};
    // Opening a FIFO would wait for a writer; a device may never end.
    if (!info.isFile()) return {{}, FileReadStatus::NotARegularFile, 0};
    const qint64 size = info.size();
    if (size > limit) return {{}, FileReadStatus::TooLarge, size};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {{}, FileReadStatus::CannotRead, size};
    if (file.isSequential()) return {{}, FileReadStatus::NotARegularFile, size};
    // The size may be stale (a growing file, or one the kernel reports as empty), so the read
    // itself stops one byte past the limit.
    QByteArray data;
    while (data.size() <= limit) {
        const QByteArray chunk = file.read(limit + 1 - data.size());
        if (chunk.isEmpty()) {
            if (file.error() != QFileDevice::NoError) return {{}, FileReadStatus::CannotRead, size};
            break;
        }
        data += chunk;
    }
    if (data.size() > limit) return {{}, FileReadStatus::TooLarge, size};
    return {data, FileReadStatus::Ok, size};
}

QString FileProblemSuffix(const FileReadResult& result, qint64 limit) {
    switch (result.status) {
        case FileReadStatus::Ok:
            return {};
        case FileReadStatus::Missing:
            return QStringLiteral(" does not exist");
        case FileReadStatus::NotARegularFile:
            return QStringLiteral(" is not a regular file");
        case FileReadStatus::TooLarge:
            return QStringLiteral(" is larger than %1 bytes").arg(limit);
        case FileReadStatus::CannotRead:
            return QStringLiteral(" cannot be read");
    }
    return {};
}

}  // namespace device

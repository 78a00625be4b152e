#include "device/EdidFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <optional>

namespace device {

namespace {

constexpr qint64 kReadLimit = kEdidSizeWithTrailer + 1;

// Collects up to kReadLimit bytes; QIODevice::read may return short counts.
std::optional<QByteArray> readBounded(QFile& file) {
    QByteArray data;
    while (data.size() < kReadLimit) {
        const QByteArray chunk = file.read(kReadLimit - data.size());
        if (chunk.isEmpty()) {
            if (file.error() != QFileDevice::NoError) {
                return std::nullopt;
            }
            break;
        }
        data += chunk;
    }
    return data;
}

}  // namespace

EdidReadResult readEdidFile(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) {
        return {{}, EdidStatus::CannotOpen};
    }
    if (!info.isFile()) {
        return {{}, EdidStatus::NotARegularFile};
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {{}, EdidStatus::CannotOpen};
    }
    if (file.isSequential()) {
        return {{}, EdidStatus::NotARegularFile};
    }
    const std::optional<QByteArray> data = readBounded(file);
    if (!data) {
        return {{}, EdidStatus::CannotRead};
    }
    return edidFromFileBytes(*data);
}

EdidReadResult edidFromFileBytes(const QByteArray& data) {
    if (const EdidStatus status = checkEdid(data); status != EdidStatus::Ok) {
        return {{}, status};
    }
    return {data.left(kEdidSize), EdidStatus::Ok};
}

EdidStatus writeEdidFile(const QString& path, const QByteArray& edid) {
    if (const EdidStatus status = checkEdid(edid); status != EdidStatus::Ok) {
        return status;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return EdidStatus::CannotWrite;
    }
    if (file.write(edid.constData(), kEdidSize) != kEdidSize || !file.commit()) {
        return EdidStatus::CannotWrite;
    }
    return EdidStatus::Ok;
}

}  // namespace device

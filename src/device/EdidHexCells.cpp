#include "device/EdidHexCells.h"

#include "device/Edid.h"

namespace device {

namespace {

int hexDigitValue(QChar digit) {
    const char c = digit.toLatin1();
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

std::optional<quint8> cellToByte(const QString& cell) {
    if (cell.size() != 2) {
        return std::nullopt;
    }
    const int high = hexDigitValue(cell[0]);
    const int low = hexDigitValue(cell[1]);
    if (high < 0 || low < 0) {
        return std::nullopt;
    }
    return quint8(high * 16 + low);
}

}  // namespace

QStringList edidToHexCells(const QByteArray& edid) {
    QStringList cells;
    for (const char byte : edid.left(kEdidSize)) {
        cells << QStringLiteral("%1").arg(quint8(byte), 2, 16, QLatin1Char('0')).toUpper();
    }
    return cells;
}

std::optional<QByteArray> hexCellsToEdid(const QStringList& cells) {
    if (cells.size() != kEdidSize) {
        return std::nullopt;
    }
    QByteArray edid;
    edid.reserve(kEdidSize);
    for (const QString& cell : cells) {
        const std::optional<quint8> byte = cellToByte(cell);
        if (!byte) {
            return std::nullopt;
        }
        edid.append(char(*byte));
    }
    return edid;
}

}  // namespace device

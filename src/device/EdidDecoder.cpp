#include "device/EdidDecoder.h"

#include <QStringList>
#include <array>

#include "device/Edid.h"

namespace device {

namespace {

// The base block's fields that the summary shows, by where each starts.
enum BaseBlockOffset : int {
    kManufacturerOffset = 8,  // three letters of five bits, high byte first
    kProductOffset = 10,
    kSerialOffset = 12,  // 0 when the display gives none
    kWeekOffset = 16,
    kYearOffset = 17,
    kVersionOffset = 18,
    kRevisionOffset = 19,
};
constexpr int kYearBase = 1990;
constexpr int kWeekUnknown = 0;
constexpr int kWeekIsModelYear = 0xFF;

// The four 18-byte descriptors; one whose first word is 0 is a display descriptor, its tag at
// byte 3.
constexpr std::array<int, 4> kDescriptorOffsets = {54, 72, 90, 108};
constexpr quint8 kMonitorNameTag = 0xFC;
constexpr int kDescriptorTextOffset = 5;
constexpr int kDescriptorTextLength = 13;

// Bounds are guaranteed by checkEdid: every offset read here lies below 128.
class EdidBytes {
public:
    explicit EdidBytes(const QByteArray& data) : data_(data) {}

    int byte(int offset) const { return quint8(data_[offset]); }
    int word(int offset) const { return byte(offset) | byte(offset + 1) << 8; }
    quint32 dword(int offset) const {
        return quint32(word(offset)) | quint32(word(offset + 2)) << 16;
    }
    // The upper four bits of a 12-bit field sit in a shared byte.
    int twelveBits(int lowOffset, int sharedOffset, int shift) const {
        return byte(lowOffset) | ((byte(sharedOffset) >> shift) & 0x0F) << 8;
    }

private:
    const QByteArray& data_;
};

QString manufacturerId(const EdidBytes& edid) {
    const int packed = edid.byte(kManufacturerOffset) << 8 | edid.byte(kManufacturerOffset + 1);
    QString id;
    for (const int shift : {10, 5, 0}) {
        const int letter = (packed >> shift) & 0x1F;
        id += (letter >= 1 && letter <= 26) ? QChar(u'A' + letter - 1) : QChar(u'?');
    }
    return id;
}

QString productCode(const EdidBytes& edid) {
    const QString hex =
        QStringLiteral("%1").arg(edid.word(kProductOffset), 4, 16, QLatin1Char('0')).toUpper();
    return manufacturerId(edid) + QStringLiteral(" 0x") + hex;
}

QString manufactureDate(const EdidBytes& edid) {
    const int week = edid.byte(kWeekOffset);
    const int year = kYearBase + edid.byte(kYearOffset);
    if (week == kWeekUnknown) {
        return QStringLiteral("year %1").arg(year);
    }
    if (week == kWeekIsModelYear) {
        return QStringLiteral("model year %1").arg(year);
    }
    return QStringLiteral("week %1/%2").arg(week).arg(year);
}

QString refreshText(double hertz) {
    QString text = QString::number(hertz, 'f', 2);
    while (text.endsWith(u'0')) {
        text.chop(1);
    }
    if (text.endsWith(u'.')) {
        text.chop(1);
    }
    return text;
}

QString preferredTiming(const EdidBytes& edid) {
    const int at = kDescriptorOffsets.front();
    const int pixelClock10kHz = edid.word(at);
    if (pixelClock10kHz == 0) {
        return QStringLiteral("no preferred timing");
    }
    const int hActive = edid.twelveBits(at + 2, at + 4, 4);
    const int hBlank = edid.twelveBits(at + 3, at + 4, 0);
    const int vActive = edid.twelveBits(at + 5, at + 7, 4);
    const int vBlank = edid.twelveBits(at + 6, at + 7, 0);
    const bool interlaced = (edid.byte(at + 17) & 0x80) != 0;

    // An interlaced descriptor describes one field; the odd field carries one more blank line.
    const int height = interlaced ? vActive * 2 : vActive;
    const qint64 frameLines = interlaced ? 2 * qint64(vActive + vBlank) + 1 : vActive + vBlank;
    const qint64 pixelsPerFrame = qint64(hActive + hBlank) * frameLines;
    QString text = QStringLiteral("%1x%2%3").arg(hActive).arg(height).arg(
        interlaced ? QLatin1String("i") : QLatin1String());
    if (pixelsPerFrame > 0) {
        const double framesPerSecond = pixelClock10kHz * 10000.0 / double(pixelsPerFrame);
        text += QStringLiteral(" @ %1 Hz")
                    .arg(refreshText(interlaced ? framesPerSecond * 2 : framesPerSecond));
    }
    return text;
}

bool isMonitorName(const EdidBytes& edid, int at) {
    return edid.word(at) == 0 && edid.byte(at + 3) == kMonitorNameTag;
}

// The name ends at a line feed; unprintable bytes are shown as '?'.
QString monitorName(const EdidBytes& edid) {
    for (const int at : kDescriptorOffsets) {
        if (!isMonitorName(edid, at)) {
            continue;
        }
        QString name;
        for (int i = 0; i < kDescriptorTextLength; ++i) {
            const int c = edid.byte(at + kDescriptorTextOffset + i);
            if (c == '\n') {
                break;
            }
            name += (c >= 0x20 && c <= 0x7E) ? QChar(c) : QChar(u'?');
        }
        return name.trimmed();
    }
    return {};
}

}  // namespace

std::optional<QString> edidSummary(const QByteArray& data) {
    if (checkEdid(data) != EdidStatus::Ok) {
        return std::nullopt;
    }
    const EdidBytes edid(data);
    QStringList fields = {productCode(edid)};
    if (const quint32 serial = edid.dword(kSerialOffset); serial != 0) {
        fields << QStringLiteral("serial %1").arg(serial);
    }
    fields << manufactureDate(edid)
           << QStringLiteral("EDID %1.%2")
                  .arg(edid.byte(kVersionOffset))
                  .arg(edid.byte(kRevisionOffset))
           << preferredTiming(edid);
    if (const QString name = monitorName(edid); !name.isEmpty()) {
        fields << QLatin1Char('"') + name + QLatin1Char('"');
    }
    return fields.join(QStringLiteral("  "));
}

}  // namespace device

#include "link/LinkLog.h"

#include <QByteArray>

namespace devlink {
namespace {

const QString kCrLf = QStringLiteral("\r\n");
constexpr char kHexDigits[] = "0123456789ABCDEF";

QString Hex2(quint8 byte) {
    const char digits[] = {kHexDigits[byte >> 4], kHexDigits[byte & 0x0F]};
    return QString::fromLatin1(digits, 2);
}

// "0xNN, " per byte, CR LF before every 16th byte after the first. Built as Latin-1 bytes:
// every block of a transfer is logged, and this runs once per sent block.
QString ByteList(std::span<const quint8> bytes, bool markParams) {
    QByteArray text;
    text.reserve(static_cast<qsizetype>(bytes.size()) * 8 + 16);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0 && i % 16 == 0) text += "\r\n";
        if (markParams && (i == 4 || i == 6 || i == 8 || i == 10 || i == 12)) text += '|';
        const char entry[] = {'0', 'x', kHexDigits[bytes[i] >> 4], kHexDigits[bytes[i] & 0x0F],
                              ',', ' '};
        text.append(entry, sizeof(entry));
    }
    return QString::fromLatin1(text);
}

}  // namespace

QString FormatFrameLog(const QString& label, const Frame& f, int number) {
    return label + kCrLf +
           QStringLiteral("%1 %2 %3 %4 [%5 UU %6] [%7 %8] [%9 %10] [%11 %12] %13, RC=%14")
               .arg(Hex2(f[0]), Hex2(f[1]), Hex2(f[2]), Hex2(f[3]), Hex2(f[4]), Hex2(f[5]),
                    Hex2(f[6]), Hex2(f[7]), Hex2(f[8]))
               .arg(Hex2(f[9]), Hex2(f[10]), Hex2(f[11]), Hex2(f[12]))
               .arg(number);
}

QString FormatReceivedDump(std::span<const quint8> bytes, const QString& label) {
    const QString stars = QString(48, u'*');
    return stars + kCrLf + label + ByteList(bytes, false) + kCrLf + stars + kCrLf;
}

QString FormatSentData(const QString& prefix, std::span<const quint8> bytes) {
    return prefix + ByteList(bytes, true);
}

}  // namespace devlink

#include "ui/presenters/lan/LanAddressFields.h"

#include <QStringList>
#include <algorithm>

namespace ui {

QString normalisedIpField(const QString& text, int field) {
    const bool last = field == kIpFieldCount;
    const int lowest = last ? 2 : 0;
    const int highest = last ? 252 : 255;
    bool readable = false;
    const qint64 value = text.trimmed().toLongLong(&readable);
    return QString::number(std::clamp<qint64>(readable ? value : 0, lowest, highest));
}

std::optional<MacBytes> parseMacText(const QString& text) {
    const QString upper = text.trimmed().toUpper();
    const bool allowed =
        std::all_of(upper.begin(), upper.end(), [](QChar c) { return c == u'-' || isHexDigit(c); });
    const QStringList parts = upper.split(u'-');
    if (!allowed || parts.size() != kMacFieldCount) return std::nullopt;
    MacBytes mac;
    for (int i = 0; i < kMacFieldCount; ++i) {
        const QString& part = parts[i];
        mac[i] = part.size() >= 2 ? part.left(2) : part.rightJustified(2, u'0');
    }
    return mac;
}

bool isGroupAddress(const MacBytes& mac) {
    return (mac[0].toUInt(nullptr, 16) & 1U) != 0;
}

bool isHexDigit(QChar c) {
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F');
}

QString hexByte(quint8 value) {
    return QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0')).toUpper();
}

}  // namespace ui

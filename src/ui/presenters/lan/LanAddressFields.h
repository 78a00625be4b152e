#pragma once

#include <QString>
#include <array>
#include <optional>

namespace ui {

inline constexpr int kIpFieldCount = 4;
inline constexpr int kMacFieldCount = 6;

using MacBytes = std::array<QString, kMacFieldCount>;  // two upper-case hex digits each

// An IP field as it stands after the operator leaves it: a decimal number without leading
// zeros; the last field (`field` 4) within 2 ... 252, the others within 0 ... 255. Empty or
// unreadable text counts as 0.
QString normalisedIpField(const QString& text, int field);

// The six bytes of a MAC text "XX-XX-XX-XX-XX-XX", read leniently: blanks around it and lower
// case are allowed, an empty part is 00 and a one-digit part gets a leading 0; nothing for a
// character other than a hex digit or "-", or for other than six parts.
std::optional<MacBytes> parseMacText(const QString& text);

// Bit 0 of the first byte marks a group address, which no module may have.
bool isGroupAddress(const MacBytes& mac);

// Digits and the upper-case letters A to F.
bool isHexDigit(QChar c);
QString hexByte(quint8 value);

}  // namespace ui

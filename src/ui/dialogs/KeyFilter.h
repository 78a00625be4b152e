#pragma once

#include <QChar>
#include <optional>

class QKeyEvent;

namespace ui {

// The character a key types; nothing for keys that type none (moves, edits, the dialog's own
// keys, shortcuts), which pass every field's filter.
std::optional<QChar> typedCharacter(const QKeyEvent& key);

// The number fields of an IP address take digits only.
inline bool refusedByNumberField(const QKeyEvent& key) {
    const std::optional<QChar> typed = typedCharacter(key);
    return typed && (*typed < u'0' || *typed > u'9');
}

}  // namespace ui

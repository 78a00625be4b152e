#pragma once

#include <QStringList>
#include <QtGlobal>

// The EDID mode list and the selector each of its entries stands for.
namespace device {

// The twenty entries the list is designed with; the window drops the last one
// ("Auto EDID") when it is created.
QStringList designedEdidModes();

struct EdidModeChoice {
    enum class Kind {
        Nothing,      // index 0, out of range, or no selector fits in 16 bits
        Selector,     // a built-in EDID or a user memory
        DefaultEdid,  // the last entry: the default-EDID commands, no selector
    };
    Kind kind = Kind::Nothing;
    quint16 selector = 0;

    friend bool operator==(const EdidModeChoice&, const EdidModeChoice&) = default;
};

// Rules in this order: the last entry means the default EDID; an entry whose text
// contains "USER" (any case) selects user memory 1, 2, ... counted from the first such
// entry (0xF100, 0xF200, ...); any other entry selects built-in EDID 0xF000 + index.
EdidModeChoice edidModeChoice(const QStringList& modes, int index);

}  // namespace device

#pragma once

#include <QStringList>
#include <QtGlobal>
#include <optional>

// Which EDID command (group 0x03) a Set or Download click sends, from the list indexes.
namespace device {

constexpr quint8 kEdidGroup = 0x03;

struct EdidCommand {
    quint8 code = 0;
    quint16 p1 = 0;
    quint16 p2 = 0;

    friend bool operator==(const EdidCommand&, const EdidCommand&) = default;
};

// Closes the write gate (P1 0xF0) ahead of every set, copy and download.
constexpr EdidCommand kEdidWriteGateOff{0x08, 0xF0, 0};

// inputIndex indexes an input list of inputCount entries: 0 chooses nothing,
// the last entry is "All Inputs", the others are inputs 1, 2, ...
// Empty when either list has nothing usable chosen.
std::optional<EdidCommand> setEdidModeCommand(const QStringList& modes, int modeIndex,
                                              int inputIndex, int inputCount);

// targetIndex indexes the download list: 1..6 inputs, 7 "All Inputs",
// 8 "User1 Memory", 9 "User2 Memory"; anything else chooses nothing.
std::optional<EdidCommand> downloadEdidCommand(int targetIndex);

}  // namespace device

#pragma once

#include <QStringList>
#include <QtGlobal>
#include <optional>

#include "link/Commands.h"

// Which EDID command a Set or Download click sends, from the list indexes. The
// group, code and fixed parameters come from the link's command table.
namespace device {

struct EdidCommand {
    devlink::Command command;
    quint16 arg1 = 0;
    quint16 arg2 = 0;

    devlink::CommandRequest request() const { return devlink::MakeCommand(command, arg1, arg2); }
    friend bool operator==(const EdidCommand&, const EdidCommand&) = default;
};

// Closes the write gate (P1 0xF0) ahead of every set, copy and download.
constexpr EdidCommand kEdidWriteGateOff{devlink::Command::SetEdidWriteGate, devlink::kOff, 0};

// inputIndex indexes an input list of inputCount entries: 0 chooses nothing,
// the last entry is "All Inputs", the others are inputs 1, 2, ...
// Empty when either list has nothing usable chosen.
std::optional<EdidCommand> setEdidModeCommand(const QStringList& modes, int modeIndex,
                                              int inputIndex, int inputCount);

// targetIndex indexes the download list: 1..6 inputs, 7 "All Inputs",
// 8 "User1 Memory", 9 "User2 Memory"; anything else chooses nothing.
std::optional<EdidCommand> downloadEdidCommand(int targetIndex);

// Reads the EDID of the display on an output (1..6).
EdidCommand readEdidCommand(int output);

}  // namespace device

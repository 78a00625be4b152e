#pragma once

#include <QString>

#include "core/CommandRunner.h"
#include "device/EdidCommands.h"

// The switcher's EDID changes (mode sets, copies, downloads) each go behind a closed write gate.
namespace core {

// Closes the write gate, the status bar showing `label` while it runs; false when it did not go
// through.
bool closeEdidWriteGate(CommandRunner& runner, const QString& label = {});
// Closes the write gate under `gateLabel`, then runs the change (under its own label).
devlink::CommandResult runEdidChange(CommandRunner& runner, const devlink::CommandRequest& change,
                                     const QString& gateLabel = {});

}  // namespace core

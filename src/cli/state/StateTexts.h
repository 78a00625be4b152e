#pragma once

#include <QString>

#include "core/operations/StatusReads.h"

// The words matrixctl prints for the switcher's state, in lines and in JSON.
namespace cli {

QString onOffWord(bool on);
// "IR", "Keys", "APM", "Beeper" in the order the options are read.
QString optionCaption(int index);
// "connected", "not connected", "unknown"
QString linkStateName(core::LinkState state);
// ": Connected", ": Not connected", ": Not known", after a port's name
const char* linkStateText(core::LinkState state);

}  // namespace cli

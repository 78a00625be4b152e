#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include "SwitcherState.h"

namespace sim {

// Carries out one plain command (every command except the EDID data transfers) on the state
// and returns the 13-byte reply. Unknown commands and bad parameters are refused (status 0xFF).
QByteArray respondToCommand(SwitcherState& state, QByteArrayView frame);

// The refusal of a frame: same group and code, status 0xFF.
QByteArray refusalOf(QByteArrayView frame);

}  // namespace sim

#pragma once

#include <QString>
#include <optional>

#include "SimFault.h"

namespace sim {

// Reads a command-line fault: kind[=value][:times[:group:code]].
// kind is a FaultKind name in any letter case (delay, split, garbage, ...); value is the delay in
// ms (Delay, default 6000), the number of pieces (Split, default 2) or hex bytes (TrailingBytes,
// Garbage); times is a count or "all"; group and code are decimal or 0x-prefixed hex.
std::optional<Fault> parseFaultOption(const QString& text, QString* error);

}  // namespace sim

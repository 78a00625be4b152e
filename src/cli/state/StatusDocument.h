#pragma once

#include "cli/program/Outcome.h"
#include "core/Connection.h"

namespace cli {

// The status command's lines and keys: power; with the switcher on also model, version, the
// link of every port, routes and options. Stops at the first read that fails.
Outcome readStatus(core::Connection& connection);

}  // namespace cli

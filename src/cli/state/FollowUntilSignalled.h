#pragma once

#include "cli/program/Outcome.h"

namespace core {
class Connection;
class Follower;
}  // namespace core

namespace cli {

// The end of the long-running commands: the follower keeps the switcher state until SIGINT or
// SIGTERM, saying on standard error when a lost line is tried next; a switcher that went away
// on the way is no failure of a command that was asked to end.
Outcome followUntilSignalled(core::Connection& connection, core::Follower& follower);

}  // namespace cli

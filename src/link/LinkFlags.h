#pragma once

namespace devlink {

// Process-wide guards: the window owns them, the link and the command runner read them.
struct LinkFlags {
    bool stopRequested = false;  // set once when the window closes; ends every wait
    bool linkIdle = true;        // false while a command, transfer or upgrade runs
};

}  // namespace devlink

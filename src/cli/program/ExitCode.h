#pragma once

#include "link/FailureKind.h"

namespace cli {

// The program's exit status; scripts test these numbers, so they never change meaning.
enum ExitCode : int {
    kExitDone = 0,
    kExitRefused = 1,        // the switcher answered 0xFF or 'D', or refused while off
    kExitNoReply = 2,        // no usable reply, time-out, or the line went away
    kExitCannotConnect = 3,  // the port or the Ethernet module could not be opened
    kExitBadFile = 4,        // a file (EDID, firmware, backup, settings) that cannot be used
    kExitUsage = 64,         // the command line itself is wrong
};

// The one table from what went wrong to the exit status.
constexpr int ExitCodeFor(devlink::FailureKind kind) {
    using devlink::FailureKind;
    switch (kind) {
        case FailureKind::None:
            return kExitDone;
        case FailureKind::Refused:
        case FailureKind::SwitcherOff:
        case FailureKind::NoDisplay:
            return kExitRefused;
        case FailureKind::CannotConnect:
        case FailureKind::Busy:
            return kExitCannotConnect;
        case FailureKind::BadFile:
            return kExitBadFile;
        case FailureKind::NoReply:
        case FailureKind::TimedOut:
        case FailureKind::InvalidReply:
        case FailureKind::LineLost:
        case FailureKind::Stopped:
            break;
    }
    return kExitNoReply;
}

}  // namespace cli

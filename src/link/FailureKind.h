#pragma once

namespace devlink {

// What went wrong in an operation on the switcher, as a value: the window turns it into the
// operator's text, matrixctl into its exit status, the bridge into an HTTP status.
enum class FailureKind {
    None,
    Refused,        // every attempt was answered 0xFF
    NoReply,        // replies came, none was accepted
    TimedOut,       // nothing came back in time
    InvalidReply,   // a reply the operation cannot use
    LineLost,       // the port or the TCP connection failed or went away
    CannotConnect,  // the port or the module could not be opened
    Busy,           // another operation holds the link
    Stopped,        // the program is closing
    SwitcherOff,    // the command needs the switcher on
    NoDisplay,      // the output has no display to read from
    BadFile,        // a file that cannot be used
};

}  // namespace devlink

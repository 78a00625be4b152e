#pragma once

namespace devlink {

// The panels of the window's status bar that commands and pages write to.
enum class StatusPanel {
    Connection = 1,  // connection state
    Operation = 2,   // operation text and outcome; alerts blink here
    Notes = 3,       // refusals and side notes
    Clock = 4,
};

}  // namespace devlink

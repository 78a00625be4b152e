#pragma once

#include <QByteArrayView>
#include <QRandomGenerator>
#include <QString>
#include <optional>

#include "SwitcherState.h"

namespace sim {

inline constexpr qsizetype kPanelLineLimit = 256;  // bytes; longer lines are refused unread

// What an operator does at the switcher itself, with its front-panel keys or the IR remote.
struct PanelCommand {
    enum class Kind { Route, Power, InputLink, OutputLink, Ir, Keys, Apm, Beeper };

    Kind kind = Kind::Route;
    int port = 0;     // Route: the output, 0 for all; InputLink, OutputLink: the port
    int input = 0;    // Route only
    bool on = false;  // plugged for the links; on for power and the options

    bool operator==(const PanelCommand&) const = default;
};

// One line, in any letter case and spacing: "route OUT|all IN", "power on|off",
// "plug|unplug input|output N", "option ir|keys|apm|beeper on|off". On failure *error says why.
std::optional<PanelCommand> parsePanelCommand(QByteArrayView line, QString* error);

// The command as parsePanelCommand reads it, in lower case and single spaces.
QString panelText(const PanelCommand& command);

// Changes the state as the front panel would; each option is what its status query reports.
void applyPanelCommand(SwitcherState& state, const PanelCommand& command);

// A change to the state for demos: mostly a route to another input, now and then a cable
// plugged or unplugged.
PanelCommand randomPanelCommand(const SwitcherState& state, QRandomGenerator& random);

}  // namespace sim

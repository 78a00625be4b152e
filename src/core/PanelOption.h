#pragma once

#include <array>

#include "link/Commands.h"

namespace core {

// The front-panel settings of the "Advanced" tab, in the order they are read.
enum class PanelOption { Ir, Keys, Apm, Beeper };

inline constexpr std::array kPanelOptions = {PanelOption::Ir, PanelOption::Keys, PanelOption::Apm,
                                             PanelOption::Beeper};

// The two radios of a group; the values are their Tags.
enum class OptionRadio { Off = 1, On = 2 };

struct PanelOptionCommands {
    devlink::Command read;
    devlink::Command set;
};

PanelOptionCommands CommandsOf(PanelOption option);

}  // namespace core

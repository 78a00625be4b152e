#pragma once

#include "core/PanelOption.h"

namespace ui {

// How the "Advanced" tab shows one front-panel option: its group and two radios.
struct PanelOptionControls {
    const char* caption;
    const char* offRadio;  // Tag 1
    const char* onRadio;   // Tag 2
    bool onInForm;         // the radio selected before anything was read
};

PanelOptionControls ControlsOf(core::PanelOption option);

// The groups from top to bottom.
inline constexpr std::array kPanelOptionLayout = {core::PanelOption::Ir, core::PanelOption::Keys,
                                                  core::PanelOption::Beeper,
                                                  core::PanelOption::Apm};

}  // namespace ui

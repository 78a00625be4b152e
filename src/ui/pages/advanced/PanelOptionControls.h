#pragma once

#include "ui/presenters/advanced/PanelOption.h"

namespace ui {

// How the "Advanced" tab shows one front-panel option: its group and two radios.
struct PanelOptionControls {
    const char* caption;
    const char* offRadio;  // Tag 1
    const char* onRadio;   // Tag 2
    bool onInForm;         // the radio selected before anything was read
};

PanelOptionControls ControlsOf(PanelOption option);

// The groups from top to bottom.
inline constexpr std::array kPanelOptionLayout = {PanelOption::Ir, PanelOption::Keys,
                                                  PanelOption::Beeper, PanelOption::Apm};

}  // namespace ui

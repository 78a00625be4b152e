#pragma once

#include <QString>

#include "core/PanelOption.h"
#include "link/StatusPanel.h"

namespace ui {

// The OFF/ON radio groups of the "Advanced" tab.
class PanelOptionsView {
public:
    virtual ~PanelOptionsView() = default;

    // Selects the group's ON or OFF radio. Like a real radio this raises the group's
    // click handler at once when the selection changes.
    virtual void setOptionOn(core::PanelOption option, bool on) = 0;
    virtual bool isOptionOn(core::PanelOption option) const = 0;
    virtual void setOptionEnabled(core::PanelOption option, bool enabled) = 0;  // both radios
    virtual void focusOptionRadio(core::PanelOption option, core::OptionRadio radio) = 0;
    virtual void showStatus(devlink::StatusPanel panel, const QString& text, bool alert) = 0;
};

}  // namespace ui

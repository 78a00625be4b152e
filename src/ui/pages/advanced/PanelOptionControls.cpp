#include "ui/pages/advanced/PanelOptionControls.h"

namespace ui {

PanelOptionControls ControlsOf(core::PanelOption option) {
    switch (option) {
        case core::PanelOption::Ir:
            return {"IR control Disable(OFF)/Enable(ON)", "rbIRDisable", "rbIREnable", true};
        case core::PanelOption::Keys:
            return {"Keys on panel Lock(OFF)/Unlock(ON)", "rbKeyLock", "rbKeyUnlock", true};
        case core::PanelOption::Beeper:
            return {"Beeper Disable(OFF)/Enable(ON)", "rbBeeperDisable", "rbBeeperEnable", true};
        case core::PanelOption::Apm:
            return {"APM control OFF/ON setting", "rbAPMOFF", "rbAPMON", false};
    }
    Q_UNREACHABLE();
}

}  // namespace ui

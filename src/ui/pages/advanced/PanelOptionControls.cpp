#include "ui/pages/advanced/PanelOptionControls.h"

namespace ui {

PanelOptionControls ControlsOf(PanelOption option) {
    switch (option) {
        case PanelOption::Ir:
            return {"IR control Disable(OFF)/Enable(ON)", "rbIRDisable", "rbIREnable", true};
        case PanelOption::Keys:
            return {"Keys on panel Lock(OFF)/Unlock(ON)", "rbKeyLock", "rbKeyUnlock", true};
        case PanelOption::Beeper:
            return {"Beeper Disable(OFF)/Enable(ON)", "rbBeeperDisable", "rbBeeperEnable", true};
        case PanelOption::Apm:
            return {"APM control OFF/ON setting", "rbAPMOFF", "rbAPMON", false};
    }
    Q_UNREACHABLE();
}

}  // namespace ui

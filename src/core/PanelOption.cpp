#include "core/PanelOption.h"

namespace core {

using devlink::Command;

PanelOptionCommands CommandsOf(PanelOption option) {
    switch (option) {
        case PanelOption::Ir:
            return {Command::GetIrReceiverStatus, Command::SetIrReceiver};
        case PanelOption::Keys:
            return {Command::GetPanelKeysStatus, Command::SetPanelKeys};
        case PanelOption::Apm:
            return {Command::GetApmStatus, Command::SetApm};
        case PanelOption::Beeper:
            return {Command::GetBeeperStatus, Command::SetBeeper};
    }
    Q_UNREACHABLE();
}

}  // namespace core

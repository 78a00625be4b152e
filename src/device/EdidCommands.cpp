#include "device/EdidCommands.h"

#include "device/EdidModes.h"

namespace device {

namespace {

using devlink::Command;

constexpr quint16 kPortSelectorBase = 0xF000;
constexpr quint16 kUserMemoryStep = 0x100;

constexpr int kInputCount = 6;
constexpr int kDownloadAllInputs = kInputCount + 1;
constexpr int kDownloadUser2 = kInputCount + 3;

}  // namespace

std::optional<EdidCommand> setEdidModeCommand(const QStringList& modes, int modeIndex,
                                              int inputIndex, int inputCount) {
    const EdidModeChoice mode = edidModeChoice(modes, modeIndex);
    if (mode.kind == EdidModeChoice::Kind::Nothing || inputIndex <= 0 || inputIndex >= inputCount) {
        return std::nullopt;
    }
    const bool allInputs = inputIndex == inputCount - 1;
    const quint16 input = quint16(inputIndex);
    if (mode.kind == EdidModeChoice::Kind::DefaultEdid) {
        return allInputs ? EdidCommand{Command::SetDefaultEdidAllInputs}
                         : EdidCommand{Command::SetDefaultEdidOneInput, input};
    }
    return allInputs ? EdidCommand{Command::SetEdidAllInputs, mode.selector}
                     : EdidCommand{Command::SetEdidOneInput, mode.selector, input};
}

std::optional<EdidCommand> downloadEdidCommand(int targetIndex) {
    if (targetIndex <= 0 || targetIndex > kDownloadUser2) {
        return std::nullopt;
    }
    if (targetIndex == kDownloadAllInputs) {
        return EdidCommand{Command::WriteEdidAllInputs};
    }
    if (targetIndex < kDownloadAllInputs) {
        return EdidCommand{Command::WriteEdidOneInput, quint16(kPortSelectorBase + targetIndex)};
    }
    const int memory = targetIndex - kDownloadAllInputs;
    return EdidCommand{Command::WriteEdidOneInput,
                       quint16(kPortSelectorBase + memory * kUserMemoryStep)};
}

EdidCommand readEdidCommand(int output) {
    return EdidCommand{Command::ReadEdidData, quint16(kPortSelectorBase + output)};
}

}  // namespace device

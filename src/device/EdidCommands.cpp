#include "EdidCommands.h"

#include "EdidModes.h"

namespace device {

namespace {

constexpr quint8 kSetAllInputs = 0x01;
constexpr quint8 kSetOneInput = 0x02;
constexpr quint8 kWriteAllInputs = 0x06;
constexpr quint8 kWriteOneTarget = 0x07;
constexpr quint8 kDefaultAllInputs = 0x09;
constexpr quint8 kDefaultOneInput = 0x0A;

constexpr quint16 kQueryMarker = 0xFE;
constexpr quint16 kAllInputsSelector = 0xF0FE;
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
        return allInputs ? EdidCommand{kDefaultAllInputs, kQueryMarker, 0}
                         : EdidCommand{kDefaultOneInput, input, 0};
    }
    return allInputs ? EdidCommand{kSetAllInputs, mode.selector, 0}
                     : EdidCommand{kSetOneInput, mode.selector, input};
}

std::optional<EdidCommand> downloadEdidCommand(int targetIndex) {
    if (targetIndex <= 0 || targetIndex > kDownloadUser2) {
        return std::nullopt;
    }
    if (targetIndex == kDownloadAllInputs) {
        return EdidCommand{kWriteAllInputs, kAllInputsSelector, 0};
    }
    if (targetIndex < kDownloadAllInputs) {
        return EdidCommand{kWriteOneTarget, quint16(kPortSelectorBase + targetIndex), 0};
    }
    const int memory = targetIndex - kDownloadAllInputs;
    return EdidCommand{kWriteOneTarget, quint16(kPortSelectorBase + memory * kUserMemoryStep), 0};
}

}  // namespace device

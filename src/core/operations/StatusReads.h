#pragma once

#include <QStringList>
#include <array>
#include <functional>
#include <optional>

#include "core/CommandRunner.h"
#include "core/DeviceInfoTexts.h"
#include "core/PanelOption.h"

// The read sequences of the device status, the same for the window and matrixctl.
namespace core {

constexpr int kPorts = 6;
enum class LinkState { Unknown, Connected, NotConnected };

constexpr int kOptionCount = 4;
// The front-panel options in the order they are read, as commands and JSON name them.
const QStringList& optionKeys();

struct DeviceInfo {
    int type = 0;
    int inputs = 0;
    int outputs = 0;
    int major = 0;
    int minor = 0;
};

// Device type, port counts and firmware version, stopping at the first failure.
std::optional<DeviceInfo> readDeviceInfo(CommandRunner& runner);
// Every port of a side, stopping at the first failure: after a time-out or a lost line the
// rest would only wait out one time-out each.
std::optional<std::array<LinkState, kPorts>> readLinkStates(CommandRunner& runner, PortSide side);

// The input of every output in turn, each handed over as it is read; false at the first
// failure, the outputs before it handed over already.
bool readRoutesInTurn(CommandRunner& runner,
                      const std::function<void(int output, int input)>& read);
std::optional<std::array<int, kPorts>> readRoutes(CommandRunner& runner);
// Whether a display is on the output: devlink::kOutputConnected, kOutputNotConnected, or
// kOutputQueryFailed when the query failed (the link or the wrapper has said why).
quint8 readOutputConnection(CommandRunner& runner, int output);

// IR, keys, APM, beeper in turn, like the routes.
bool readOptionsInTurn(CommandRunner& runner,
                       const std::function<void(PanelOption option, bool on)>& read);
std::optional<std::array<bool, kOptionCount>> readOptions(CommandRunner& runner);

}  // namespace core

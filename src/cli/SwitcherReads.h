#pragma once

#include <QStringList>
#include <array>
#include <optional>

#include "cli/Arguments.h"
#include "cli/Session.h"
#include "ui/presenters/general/DeviceInfoTexts.h"

// The read sequences of the device status, as the window runs them.
namespace cli {

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

enum class PortState { Connected, NotConnected, Unknown };

// Device type, port counts and firmware version, stopping at the first failure.
std::optional<DeviceInfo> readDeviceInfo(Session& session);
// Every port of a side, stopping at the first failure: after a time-out or a lost line the
// rest would only wait out one time-out each.
std::optional<std::array<PortState, kPortCount>> readPortStates(Session& session,
                                                                ui::PortSide side);
// The input of every output, stopping at the first failure.
std::optional<std::array<int, kPortCount>> readRoutes(Session& session);
// IR, keys, APM, beeper, stopping at the first failure.
std::optional<std::array<bool, kOptionCount>> readOptions(Session& session);

}  // namespace cli

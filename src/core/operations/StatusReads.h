#pragma once

#include <QStringList>
#include <array>
#include <optional>

#include "core/Connection.h"
#include "core/DeviceInfoTexts.h"

// The read sequences of the device status, as the window runs them.
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
std::optional<DeviceInfo> readDeviceInfo(Connection& session);
// Every port of a side, stopping at the first failure: after a time-out or a lost line the
// rest would only wait out one time-out each.
std::optional<std::array<LinkState, kPorts>> readLinkStates(Connection& session, PortSide side);
// The input of every output, stopping at the first failure.
std::optional<std::array<int, kPorts>> readRoutes(Connection& session);
// IR, keys, APM, beeper, stopping at the first failure.
std::optional<std::array<bool, kOptionCount>> readOptions(Connection& session);

}  // namespace core

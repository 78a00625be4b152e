#include "core/operations/StatusReads.h"

#include "core/PanelOption.h"

namespace core {

using devlink::Command;
using devlink::MakeCommand;

const QStringList& optionKeys() {
    static const QStringList keys = {QStringLiteral("ir"), QStringLiteral("keys"),
                                     QStringLiteral("apm"), QStringLiteral("beeper")};
    return keys;
}

std::optional<DeviceInfo> readDeviceInfo(Connection& session) {
    DeviceInfo info;
    const devlink::CommandResult type = session.run(MakeCommand(Command::GetDeviceType));
    if (!type.succeeded()) return std::nullopt;
    info.type = devlink::ReplyByte4(type);
    const devlink::CommandResult counts = session.run(MakeCommand(Command::GetPortCounts));
    if (!counts.succeeded()) return std::nullopt;
    info.inputs = devlink::ReplyByte4(counts);
    info.outputs = devlink::ReplyByte6(counts);
    const devlink::CommandResult version = session.run(MakeCommand(Command::GetFirmwareVersion));
    if (!version.succeeded()) return std::nullopt;
    info.major = devlink::ReplyByte4(version);
    info.minor = devlink::ReplyByte6(version);
    return info;
}

std::optional<std::array<LinkState, kPorts>> readLinkStates(Connection& session, PortSide side) {
    const Command command =
        side == PortSide::Input ? Command::GetInputLinkStatus : Command::GetOutputLinkStatus;
    std::array<LinkState, kPorts> states{};
    for (int port = 1; port <= kPorts; ++port) {
        const devlink::CommandResult result =
            session.run(MakeCommand(command, static_cast<quint16>(port)));
        if (!result.succeeded()) return std::nullopt;
        const quint8 value = devlink::ReplyByte6(result);
        // A value other than 0x00 and 0xFF says nothing the window would show.
        states[port - 1] = value == 0x00   ? LinkState::Connected
                           : value == 0xFF ? LinkState::NotConnected
                                           : LinkState::Unknown;
    }
    return states;
}

std::optional<std::array<int, kPorts>> readRoutes(Connection& session) {
    std::array<int, kPorts> routes{};
    for (int output = 1; output <= kPorts; ++output) {
        const devlink::CommandResult result =
            session.run(MakeCommand(Command::GetOutputRoute, static_cast<quint16>(output)));
        if (!result.succeeded()) return std::nullopt;
        routes[output - 1] = devlink::ReplyByte6(result);
    }
    return routes;
}

std::optional<std::array<bool, kOptionCount>> readOptions(Connection& session) {
    std::array<bool, kOptionCount> options{};
    for (std::size_t i = 0; i < kPanelOptions.size(); ++i) {
        const devlink::CommandResult result =
            session.run(MakeCommand(CommandsOf(kPanelOptions[i]).read));
        if (!result.succeeded()) return std::nullopt;
        options[i] = devlink::ReplyIsOn(result);
    }
    return options;
}

}  // namespace core

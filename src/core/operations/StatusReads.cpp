#include "core/operations/StatusReads.h"

namespace core {

using devlink::Command;
using devlink::MakeCommand;

const QStringList& optionKeys() {
    static const QStringList keys = {QStringLiteral("ir"), QStringLiteral("keys"),
                                     QStringLiteral("apm"), QStringLiteral("beeper")};
    return keys;
}

std::optional<DeviceInfo> readDeviceInfo(CommandRunner& runner) {
    DeviceInfo info;
    const devlink::CommandResult type = runner.Run(MakeCommand(Command::GetDeviceType));
    if (!type.succeeded()) return std::nullopt;
    info.type = devlink::ReplyByte4(type);
    const devlink::CommandResult counts = runner.Run(MakeCommand(Command::GetPortCounts));
    if (!counts.succeeded()) return std::nullopt;
    info.inputs = devlink::ReplyByte4(counts);
    info.outputs = devlink::ReplyByte6(counts);
    const devlink::CommandResult version = runner.Run(MakeCommand(Command::GetFirmwareVersion));
    if (!version.succeeded()) return std::nullopt;
    info.major = devlink::ReplyByte4(version);
    info.minor = devlink::ReplyByte6(version);
    return info;
}

std::optional<std::array<LinkState, kPorts>> readLinkStates(CommandRunner& runner, PortSide side) {
    const Command command =
        side == PortSide::Input ? Command::GetInputLinkStatus : Command::GetOutputLinkStatus;
    std::array<LinkState, kPorts> states{};
    for (int port = 1; port <= kPorts; ++port) {
        const devlink::CommandResult result =
            runner.Run(MakeCommand(command, static_cast<quint16>(port)));
        if (!result.succeeded()) return std::nullopt;
        const quint8 value = devlink::ReplyByte6(result);
        // A value other than 0x00 and 0xFF says nothing the window would show.
        states[port - 1] = value == 0x00   ? LinkState::Connected
                           : value == 0xFF ? LinkState::NotConnected
                                           : LinkState::Unknown;
    }
    return states;
}

quint8 readOutputConnection(CommandRunner& runner, int output) {
    if (output < 1 || output > kPorts) return devlink::kOutputQueryFailed;
    return devlink::OutputConnectionCode(
        runner.Run(MakeCommand(Command::GetOutputLinkStatus, static_cast<quint16>(output))));
}

bool readRoutesInTurn(CommandRunner& runner,
                      const std::function<void(int output, int input)>& read) {
    for (int output = 1; output <= kPorts; ++output) {
        const devlink::CommandResult result =
            runner.Run(MakeCommand(Command::GetOutputRoute, static_cast<quint16>(output)));
        if (!result.succeeded()) return false;
        read(output, devlink::ReplyByte6(result));
    }
    return true;
}

std::optional<std::array<int, kPorts>> readRoutes(CommandRunner& runner) {
    std::array<int, kPorts> routes{};
    if (!readRoutesInTurn(runner, [&routes](int output, int input) { routes[output - 1] = input; }))
        return std::nullopt;
    return routes;
}

bool readOptionsInTurn(CommandRunner& runner,
                       const std::function<void(PanelOption option, bool on)>& read) {
    for (const PanelOption option : kPanelOptions) {
        const devlink::CommandResult result = runner.Run(MakeCommand(CommandsOf(option).read));
        if (!result.succeeded()) return false;
        read(option, devlink::ReplyIsOn(result));
    }
    return true;
}

std::optional<std::array<bool, kOptionCount>> readOptions(CommandRunner& runner) {
    std::array<bool, kOptionCount> options{};
    std::size_t next = 0;  // in the order they are read, as optionKeys() names them
    const auto read = [&options, &next](PanelOption, bool on) { options[next++] = on; };
    if (!readOptionsInTurn(runner, read)) return std::nullopt;
    return options;
}

}  // namespace core

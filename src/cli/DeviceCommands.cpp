#include <QJsonArray>

#include "cli/Arguments.h"
#include "cli/Handlers.h"
#include "cli/SwitcherReads.h"
#include "ui/presenters/advanced/PanelOption.h"
#include "ui/presenters/general/DeviceInfoTexts.h"

namespace cli {

using devlink::Command;
using devlink::MakeCommand;

namespace {

QString onOffWord(bool on) {
    return on ? QStringLiteral("on") : QStringLiteral("off");
}

const QStringList kOptionCaptions = {QStringLiteral("IR"), QStringLiteral("Keys"),
                                     QStringLiteral("APM"), QStringLiteral("Beeper")};

const char* linkStateName(PortState state) {
    switch (state) {
        case PortState::Connected:
            return "connected";
        case PortState::NotConnected:
            return "not connected";
        case PortState::Unknown:
            break;
    }
    return "unknown";
}

const char* linkStateText(PortState state) {
    switch (state) {
        case PortState::Connected:
            return ": Connected";
        case PortState::NotConnected:
            return ": Not connected";
        case PortState::Unknown:
            break;
    }
    return ": Not known";
}

void addPortStates(Outcome& out, ui::PortSide side, const std::array<PortState, kPortCount>& states,
                   const QString& key) {
    QJsonArray names;
    for (int port = 1; port <= kPortCount; ++port) {
        const PortState state = states[port - 1];
        out.lines << ui::PortLabelText(side, port, linkStateText(state));
        names.append(QLatin1String(linkStateName(state)));
    }
    out.json[key] = names;
}

void addOptions(Outcome& out, const std::array<bool, kOptionCount>& options) {
    QJsonObject json;
    for (int i = 0; i < kOptionCount; ++i) {
        out.lines << kOptionCaptions[i] + QStringLiteral(": ") + onOffWord(options[i]);
        json[optionKeys()[i]] = options[i];
    }
    out.json[QStringLiteral("options")] = json;
}

}  // namespace

void addRoutes(Outcome& out, const std::array<int, kPortCount>& routes) {
    QJsonArray inputs;
    for (int output = 1; output <= kPortCount; ++output) {
        out.lines << QStringLiteral("Output%1: Input%2").arg(output).arg(routes[output - 1]);
        inputs.append(routes[output - 1]);
    }
    out.json[QStringLiteral("routes")] = inputs;
}

Outcome runStatus(Context& context, const QStringList& args) {
    requireCount(args, 0, QStringLiteral("status"));
    Session& session = context.session();
    Outcome out;
    const std::optional<bool> power = session.readPower();
    if (!power) return out.stop();
    out.lines << QStringLiteral("Power: ") + onOffWord(*power);
    out.json[QStringLiteral("power")] = *power;
    if (!*power) {
        out.lines << QStringLiteral(
            "System is power off, please turn it on first to refresh more status.");
        return out;
    }
    const std::optional<DeviceInfo> info = readDeviceInfo(session);
    if (!info) return out.stop();
    out.lines << ui::DeviceText(info->type, info->inputs, info->outputs)
              << ui::VersionText(info->major, info->minor);
    out.json[QStringLiteral("model")] = devlink::ModelName(info->type);
    out.json[QStringLiteral("modelNumber")] = info->type;
    out.json[QStringLiteral("inputs")] = info->inputs;
    out.json[QStringLiteral("outputs")] = info->outputs;
    out.json[QStringLiteral("version")] = QStringLiteral("%1.%2").arg(info->major).arg(info->minor);
    const auto inputs = readPortStates(session, ui::PortSide::Input);
    if (!inputs) return out.stop();
    addPortStates(out, ui::PortSide::Input, *inputs, QStringLiteral("inputLinks"));
    const auto outputs = readPortStates(session, ui::PortSide::Output);
    if (!outputs) return out.stop();
    addPortStates(out, ui::PortSide::Output, *outputs, QStringLiteral("outputLinks"));
    const std::optional<std::array<int, kPortCount>> routes = readRoutes(session);
    if (!routes) return out.stop();
    addRoutes(out, *routes);
    const std::optional<std::array<bool, kOptionCount>> options = readOptions(session);
    if (!options) return out.stop();
    addOptions(out, *options);
    return out;
}

Outcome runPower(Context& context, const QStringList& args) {
    if (args.size() > 1) requireCount(args, 1, QStringLiteral("power [on|off]"));
    const std::optional<bool> wanted =
        args.isEmpty() ? std::nullopt : std::optional(onOffArg(args[0]));
    Session& session = context.session();
    Outcome out;
    if (wanted &&
        !session.run(MakeCommand(Command::SetPower, devlink::OnOffValue(*wanted))).succeeded())
        return out.stop();
    const std::optional<bool> power = session.readPower();
    if (!power) return out.stop();
    out.lines << QStringLiteral("Power: ") + onOffWord(*power);
    out.json[QStringLiteral("power")] = *power;
    return out;
}

Outcome runOption(Context& context, const QStringList& args) {
    const QString usage = QStringLiteral("option ir|keys|apm|beeper [on|off]");
    if (args.size() != 1) requireCount(args, 2, usage);
    const int index = choiceArg(args[0], optionKeys(), QStringLiteral("ir, keys, apm or beeper"));
    const std::optional<bool> wanted =
        args.size() == 2 ? std::optional(onOffArg(args[1])) : std::nullopt;
    const ui::PanelOptionCommands commands = ui::CommandsOf(ui::kPanelOptions[index]);
    Session& session = context.session();
    Outcome out;
    if (wanted && !session.run(MakeCommand(commands.set, devlink::OnOffValue(*wanted))).succeeded())
        return out.stop();
    const devlink::CommandResult read = session.run(MakeCommand(commands.read));
    if (!read.succeeded()) return out.stop();
    const bool on = devlink::ReplyIsOn(read);
    out.lines << kOptionCaptions[index] + QStringLiteral(": ") + onOffWord(on);
    out.json[QStringLiteral("option")] = optionKeys()[index];
    out.json[QStringLiteral("on")] = on;
    return out;
}

}  // namespace cli

#include <QJsonArray>

#include "cli/commands/Handlers.h"
#include "cli/program/Arguments.h"
#include "cli/state/StateTexts.h"
#include "cli/state/StatusDocument.h"
#include "core/DeviceInfoTexts.h"
#include "core/OperatorTexts.h"
#include "core/PanelOption.h"
#include "core/operations/StatusReads.h"

namespace cli {

using devlink::Command;
using devlink::MakeCommand;

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
    return readStatus(context.session());
}

Outcome runPower(Context& context, const QStringList& args) {
    if (args.size() > 1) requireCount(args, 1, QStringLiteral("power [on|off]"));
    const std::optional<bool> wanted =
        args.isEmpty() ? std::nullopt : std::optional(onOffArg(args[0]));
    core::Connection& session = context.session();
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
    const int index =
        choiceArg(args[0], core::optionKeys(), QStringLiteral("ir, keys, apm or beeper"));
    const std::optional<bool> wanted =
        args.size() == 2 ? std::optional(onOffArg(args[1])) : std::nullopt;
    const core::PanelOptionCommands commands = core::CommandsOf(core::kPanelOptions[index]);
    core::Connection& session = context.session();
    Outcome out;
    if (wanted && !session.run(MakeCommand(commands.set, devlink::OnOffValue(*wanted))).succeeded())
        return out.stop();
    const devlink::CommandResult read = session.run(MakeCommand(commands.read));
    if (!read.succeeded()) return out.stop();
    const bool on = devlink::ReplyIsOn(read);
    out.lines << optionCaption(index) + QStringLiteral(": ") + onOffWord(on);
    out.json[QStringLiteral("option")] = core::optionKeys()[index];
    out.json[QStringLiteral("on")] = on;
    return out;
}

}  // namespace cli

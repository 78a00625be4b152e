#include <QJsonArray>

#include "cli/commands/Handlers.h"
#include "cli/program/Arguments.h"
#include "cli/program/ExitCode.h"
#include "cli/program/Rejection.h"
#include "core/operations/Presets.h"
#include "core/operations/StatusReads.h"

namespace cli {

using devlink::Command;
using devlink::MakeCommand;

namespace {

core::SwitchRoute switchThrough(core::Connection& session) {
    return [&session](int output, int input) {
        return core::FailureOf(session.run(MakeCommand(
            Command::SetRoute, static_cast<quint16>(input), static_cast<quint16>(output))));
    };
}

// The routes set before the first that failed are reported either way.
Outcome routesSet(const std::vector<core::RouteSwitch>& routes, int count,
                  devlink::FailureKind failure) {
    Outcome out;
    QJsonArray set;
    for (int i = 0; i < count; ++i) {
        const core::RouteSwitch& route = routes[i];
        out.lines << QStringLiteral("Output%1: Input%2").arg(route.output).arg(route.input);
        set.append(QJsonObject{{QStringLiteral("output"), route.output},
                               {QStringLiteral("input"), route.input}});
    }
    out.json[QStringLiteral("set")] = set;
    if (failure != devlink::FailureKind::None) out.stop();
    return out;
}

// The row named by its number 1 to 8 or, failing that, by its exact name.
int presetRow(const config::SettingsData& data, const QString& word) {
    bool ok = false;
    const int number = word.toInt(&ok);
    if (ok && number >= 1 && number <= config::kPresetCount) return number;
    const auto named = std::find(data.presetNames.begin(), data.presetNames.end(), word);
    if (named == data.presetNames.end())
        throw Rejection(kExitUsage, QStringLiteral("No pre-setting \"%1\"").arg(word));
    return static_cast<int>(named - data.presetNames.begin()) + 1;
}

Outcome listPresets(const config::SettingsData& data) {
    Outcome out;
    QJsonArray rows;
    for (int row = 1; row <= config::kPresetCount; ++row) {
        const QStringList& cells = data.presetValues[row - 1];
        out.lines << QStringLiteral("%1 %2: %3")
                         .arg(row)
                         .arg(data.presetNames[row - 1], cells.join(u','));
        rows.append(QJsonObject{{QStringLiteral("number"), row},
                                {QStringLiteral("name"), data.presetNames[row - 1]},
                                {QStringLiteral("inputs"), QJsonArray::fromStringList(cells)}});
    }
    out.json[QStringLiteral("presets")] = rows;
    return out;
}

}  // namespace

Outcome runRoute(Context& context, const QStringList& args) {
    requireCount(args, 2, QStringLiteral("route OUT|all IN"));
    const bool all = args[0].toLower() == QStringLiteral("all");
    const int output = all ? 0 : portArg(args[0], QStringLiteral("output"));
    const int input = portArg(args[1], QStringLiteral("input"));
    std::vector<core::RouteSwitch> routes;
    for (int out = all ? 1 : output; out <= (all ? kPortCount : output); ++out)
        routes.push_back({out, input});
    const core::RoutesSwitched switched =
        core::SwitchInOrder(routes, switchThrough(context.session()));
    return routesSet(routes, switched.count, switched.failure);
}

Outcome runRoutes(Context& context, const QStringList& args) {
    requireCount(args, 0, QStringLiteral("routes"));
    Outcome out;
    const std::optional<std::array<int, kPortCount>> routes =
        core::readRoutes(context.session().runner());
    if (!routes) return out.stop();
    addRoutes(out, *routes);
    return out;
}

Outcome runPreset(Context& context, const QStringList& args) {
    const QString usage = QStringLiteral("preset list | preset apply N|NAME");
    if (args.value(0) == QStringLiteral("list")) {
        requireCount(args, 1, usage);
        return listPresets(context.settings());
    }
    requireCount(args, 2, usage);
    if (args[0] != QStringLiteral("apply"))
        throw Rejection(kExitUsage, QStringLiteral("Usage: ") + usage);
    const config::SettingsData& data = context.settings();
    const int row = presetRow(data, args[1]);
    // Every cell is checked before the first route goes out.
    const core::PresetRoutes preset = core::PresetRoutesOf(data.presetValues[row - 1]);
    if (!preset.complete()) throw Rejection(kExitBadFile, preset.stopped);
    const core::PresetApplied applied = core::ApplyPreset(preset, switchThrough(context.session()));
    Outcome out = routesSet(preset.routes, applied.switched, applied.failure);
    out.json[QStringLiteral("preset")] = data.presetNames[row - 1];
    return out;
}

}  // namespace cli

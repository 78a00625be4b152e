#include <QJsonArray>

#include "cli/Arguments.h"
#include "cli/ExitCode.h"
#include "cli/Handlers.h"
#include "cli/Rejection.h"
#include "core/PresetCells.h"
#include "core/StatusReads.h"

namespace cli {

using devlink::Command;
using devlink::MakeCommand;

namespace {

// Sets the outputs in order, stopping at the first that fails; the routes set so far are
// reported either way.
Outcome setRoutes(core::Connection& session, const std::array<int, kPortCount>& inputs, int first,
                  int last) {
    Outcome out;
    QJsonArray set;
    for (int output = first; output <= last; ++output) {
        const int input = inputs[output - 1];
        if (!session
                 .run(MakeCommand(Command::SetRoute, static_cast<quint16>(input),
                                  static_cast<quint16>(output)))
                 .succeeded()) {
            out.stop();
            break;
        }
        out.lines << QStringLiteral("Output%1: Input%2").arg(output).arg(input);
        set.append(
            QJsonObject{{QStringLiteral("output"), output}, {QStringLiteral("input"), input}});
    }
    out.json[QStringLiteral("set")] = set;
    return out;
}

// The row named by its number 1 to 8 or, failing that, by its exact name.
int presetRow(const ui::SettingsData& data, const QString& word) {
    bool ok = false;
    const int number = word.toInt(&ok);
    if (ok && number >= 1 && number <= ui::kPresetCount) return number;
    const auto named = std::find(data.presetNames.begin(), data.presetNames.end(), word);
    if (named == data.presetNames.end())
        throw Rejection(kExitUsage, QStringLiteral("No pre-setting \"%1\"").arg(word));
    return static_cast<int>(named - data.presetNames.begin()) + 1;
}

Outcome listPresets(const ui::SettingsData& data) {
    Outcome out;
    QJsonArray rows;
    for (int row = 1; row <= ui::kPresetCount; ++row) {
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
    std::array<int, kPortCount> inputs{};
    inputs.fill(input);
    return setRoutes(context.session(), inputs, all ? 1 : output, all ? kPortCount : output);
}

Outcome runRoutes(Context& context, const QStringList& args) {
    requireCount(args, 0, QStringLiteral("routes"));
    Outcome out;
    const std::optional<std::array<int, kPortCount>> routes = core::readRoutes(context.session());
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
    const ui::SettingsData& data = context.settings();
    const int row = presetRow(data, args[1]);
    const QStringList& cells = data.presetValues[row - 1];
    std::array<int, kPortCount> inputs{};
    for (int output = 1; output <= kPortCount; ++output) {
        const std::optional<int> input = core::PresetCellInput(cells, output);
        if (!input) throw Rejection(kExitBadFile, core::PresetStoppedText(cells, output));
        inputs[output - 1] = *input;
    }
    Outcome out = setRoutes(context.session(), inputs, 1, kPortCount);
    out.json[QStringLiteral("preset")] = data.presetNames[row - 1];
    return out;
}

}  // namespace cli

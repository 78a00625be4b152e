#include "core/operations/Presets.h"

#include "core/operations/StatusReads.h"

namespace core {

std::optional<int> PresetCellInput(const QStringList& cells, int output) {
    if (output > cells.size()) return std::nullopt;
    bool ok = false;
    const int input = cells[output - 1].toInt(&ok);
    if (!ok || input < 1 || input > kPorts) return std::nullopt;
    return input;
}

QString PresetStoppedText(const QStringList& cells, int output) {
    const QString cell = output <= cells.size() ? cells[output - 1] : QString();
    return QStringLiteral("Pre-setting stopped: Output%1 holds \"%2\", not an input from 1 to 6")
        .arg(output)
        .arg(cell);
}

PresetRoutes PresetRoutesOf(const QStringList& cells) {
    PresetRoutes preset;
    for (int output = 1; output <= kPorts; ++output) {
        const std::optional<int> input = PresetCellInput(cells, output);
        if (!input) {
            preset.stopped = PresetStoppedText(cells, output);
            break;
        }
        preset.routes.push_back({output, *input});
    }
    return preset;
}

PresetApplied ApplyPreset(const PresetRoutes& preset, const SwitchRoute& switchRoute) {
    const RoutesSwitched switched = SwitchInOrder(preset.routes, switchRoute);
    PresetApplied applied;
    applied.switched = switched.count;
    applied.failure = switched.failure;
    if (applied.ok() && !preset.complete()) {
        applied.failure = devlink::FailureKind::BadFile;
        applied.text = preset.stopped;
    }
    return applied;
}

}  // namespace core

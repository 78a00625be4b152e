#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "core/OperationResult.h"
#include "core/operations/Routes.h"

namespace core {

// The input a pre-setting's cell names for an output (1-based); nothing unless it is 1 to 6.
std::optional<int> PresetCellInput(const QStringList& cells, int output);
// Why applying a pre-setting stopped before the output.
QString PresetStoppedText(const QStringList& cells, int output);

// The routes a pre-setting sets, output 1 first, up to the first cell that is no input.
struct PresetRoutes {
    std::vector<RouteSwitch> routes;
    QString stopped;  // why it ends before output 6; empty when every output has an input

    bool complete() const { return stopped.isEmpty(); }
};
PresetRoutes PresetRoutesOf(const QStringList& cells);

struct PresetApplied : OperationResult {
    int switched = 0;  // outputs 1 to `switched` now take the pre-setting's inputs
};

// Applies the routes output by output; stops at the first failed switch, and before a cell
// that is no input (a bad file, with the text that names the cell).
PresetApplied ApplyPreset(const PresetRoutes& preset, const SwitchRoute& switchRoute);

}  // namespace core

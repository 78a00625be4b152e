#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace core {

// The input a pre-setting's cell names for an output (1-based); nothing unless it is 1 to 6.
std::optional<int> PresetCellInput(const QStringList& cells, int output);
// Why applying a pre-setting stopped before the output.
QString PresetStoppedText(const QStringList& cells, int output);

}  // namespace core

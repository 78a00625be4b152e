#include "core/PresetCells.h"

#include "core/StatusReads.h"

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

}  // namespace core

#pragma once

#include <QByteArray>
#include <QStringList>
#include <optional>

// The EDID grid's data cells, row by row: one cell per byte, two upper-case hex digits.
namespace device {

// One cell per byte of the first 256 bytes.
QStringList edidToHexCells(const QByteArray& edid);

// The 256 bytes back from exactly 256 cells; any empty or malformed cell, or a wrong
// cell count, means the grid holds no complete image.
std::optional<QByteArray> hexCellsToEdid(const QStringList& cells);

}  // namespace device

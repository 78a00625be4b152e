#pragma once

#include <QPolygonF>
#include <QRectF>
#include <array>

#include "widgets/SegmentFont.h"

namespace widgets {

// Outlines of the seven segments filling `cell`, indexed in a-g order. Each segment is
// a bar of `thickness` with pointed ends; `gapX` and `gapY` open the joints between
// horizontal and vertical bars.
std::array<QPolygonF, kSegmentCount> segmentPolygons(const QRectF& cell, qreal thickness,
                                                     qreal gapX, qreal gapY);

// A decimal point: a square of `side` at the foot of `box`, centred across it.
QRectF dotSquare(const QRectF& box, qreal side);

// A colon: two squares of `side`, centred in the upper and the lower half of `box`.
std::array<QRectF, 2> colonSquares(const QRectF& box, qreal side);

}  // namespace widgets

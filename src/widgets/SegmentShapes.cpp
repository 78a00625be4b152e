#include "widgets/SegmentShapes.h"

#include <algorithm>

namespace widgets {

namespace {

// A bar along x from `from` to `to` at height `y`; the tips shrink when the bar is
// shorter than it is thick so the outline never crosses itself, and a cell too small
// for the thickness and gaps gets no bar at all.
QPolygonF horizontalBar(qreal from, qreal to, qreal y, qreal half) {
    if (to <= from) return {};
    const qreal tip = std::clamp((to - from) / 2, qreal(0), half);
    return QPolygonF({{from, y},
                      {from + tip, y - half},
                      {to - tip, y - half},
                      {to, y},
                      {to - tip, y + half},
                      {from + tip, y + half}});
}

QPolygonF verticalBar(qreal from, qreal to, qreal x, qreal half) {
    if (to <= from) return {};
    const qreal tip = std::clamp((to - from) / 2, qreal(0), half);
    return QPolygonF({{x, from},
                      {x + half, from + tip},
                      {x + half, to - tip},
                      {x, to},
                      {x - half, to - tip},
                      {x - half, from + tip}});
}

}  // namespace

std::array<QPolygonF, kSegmentCount> segmentPolygons(const QRectF& cell, qreal thickness,
                                                     qreal gapX, qreal gapY) {
    const qreal half = thickness / 2;
    const qreal left = cell.left() + half;
    const qreal right = cell.right() - half;
    const qreal top = cell.top() + half;
    const qreal middle = cell.center().y();
    const qreal bottom = cell.bottom() - half;
    return {
        horizontalBar(left + gapX, right - gapX, top, half),     // a
        verticalBar(top + gapY, middle - gapY, right, half),     // b
        verticalBar(middle + gapY, bottom - gapY, right, half),  // c
        horizontalBar(left + gapX, right - gapX, bottom, half),  // d
        verticalBar(middle + gapY, bottom - gapY, left, half),   // e
        verticalBar(top + gapY, middle - gapY, left, half),      // f
        horizontalBar(left + gapX, right - gapX, middle, half),  // g
    };
}

QRectF dotSquare(const QRectF& box, qreal side) {
    return {box.center().x() - side / 2, box.bottom() - side, side, side};
}

std::array<QRectF, 2> colonSquares(const QRectF& box, qreal side) {
    const qreal x = box.center().x() - side / 2;
    const qreal quarter = box.height() / 4;
    return {QRectF(x, box.top() + quarter - side / 2, side, side),
            QRectF(x, box.bottom() - quarter - side / 2, side, side)};
}

}  // namespace widgets

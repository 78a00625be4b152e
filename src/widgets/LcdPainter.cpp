#include "widgets/LcdPainter.h"

#include <algorithm>

#include "widgets/LcdCells.h"
#include "widgets/SegmentShapes.h"

namespace widgets {

namespace {

void paintMark(QPainter& painter, const QRectF& box, DotMark mark, const LcdStyle& style) {
    // Thick segments in a narrow slot still leave the dots inside it.
    const qreal side = std::min({qreal(style.segmentSize), box.width(), box.height() / 2});
    switch (mark) {
        case DotMark::None:
            painter.fillRect(dotSquare(box, side), style.offColor);
            break;
        case DotMark::Dot:
            painter.fillRect(dotSquare(box, side), style.onColor);
            break;
        case DotMark::Colon:
            for (const QRectF& square : colonSquares(box, side))
                painter.fillRect(square, style.onColor);
            break;
    }
}

void paintGlyph(QPainter& painter, const QRectF& cell, QChar glyph, const LcdStyle& style) {
    const DotMark mark = dotMarkFor(glyph);
    if (mark != DotMark::None) {
        paintMark(painter, cell, mark, style);
        return;
    }
    const SegmentMask lit = segmentsFor(glyph);
    const auto outlines = segmentPolygons(cell, style.segmentSize, style.gapX, style.gapY);
    for (int seg = 0; seg < kSegmentCount; ++seg) {
        painter.setBrush((lit >> seg) & 1 ? style.onColor : style.offColor);
        painter.drawPolygon(outlines[static_cast<std::size_t>(seg)]);
    }
}

}  // namespace

void paintLcd(QPainter& painter, const QRect& area, const LcdStyle& style, const QString& value) {
    painter.fillRect(area, style.color);
    const std::vector<LcdCell> cells = layoutCells(value, style.digitNum, style.dotDisplay);
    if (cells.empty()) return;

    const qreal count = static_cast<qreal>(cells.size());
    const qreal slotWidth = style.dotDisplay ? style.dotSpacing : 0;
    const qreal cellWidth =
        (area.width() - (count - 1) * style.digitSpacing - count * slotWidth) / count;
    if (cellWidth <= 0) return;

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    qreal x = area.left();
    for (const LcdCell& cell : cells) {
        const QRectF box(x, area.top(), cellWidth, area.height());
        paintGlyph(painter, box, cell.glyph, style);
        if (style.dotDisplay) {
            const QRectF slot(box.right(), area.top(), slotWidth, area.height());
            paintMark(painter, slot, cell.slot, style);
        }
        x += cellWidth + slotWidth + style.digitSpacing;
    }
    painter.restore();
}

}  // namespace widgets

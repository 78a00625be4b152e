#pragma once

#include <QChar>
#include <QString>
#include <vector>

namespace widgets {

enum class DotMark { None, Dot, Colon };

// What one digit position shows. With separate dot slots a "." or ":" rides on the
// cell before it as `slot`; otherwise it fills a cell of its own as `glyph`.
struct LcdCell {
    QChar glyph = u' ';
    DotMark slot = DotMark::None;

    friend bool operator==(const LcdCell&, const LcdCell&) = default;
};

// Splits a value into exactly `digitNum` cells, right-aligned: a short value is padded
// with blank cells on the left, a long one keeps its last `digitNum` cells.
std::vector<LcdCell> layoutCells(const QString& value, int digitNum, bool dotSlots);

// The mark a "." or ":" stands for; None for every other character.
DotMark dotMarkFor(QChar ch);

}  // namespace widgets

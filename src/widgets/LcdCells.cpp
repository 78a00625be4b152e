#include "widgets/LcdCells.h"

#include <algorithm>

namespace widgets {

DotMark dotMarkFor(QChar ch) {
    if (ch == u'.') return DotMark::Dot;
    if (ch == u':') return DotMark::Colon;
    return DotMark::None;
}

std::vector<LcdCell> layoutCells(const QString& value, int digitNum, bool dotSlots) {
    std::vector<LcdCell> cells;
    for (const QChar ch : value) {
        const DotMark mark = dotMarkFor(ch);
        if (!dotSlots || mark == DotMark::None) {
            cells.push_back({ch, DotMark::None});
        } else if (!cells.empty() && cells.back().slot == DotMark::None) {
            cells.back().slot = mark;
        } else {
            // A leading mark, or a second one in a row, gets a blank cell to sit on.
            cells.push_back({u' ', mark});
        }
    }
    const auto wanted = static_cast<std::size_t>(std::max(digitNum, 0));
    if (cells.size() > wanted) {
        cells.erase(cells.begin(), cells.end() - static_cast<std::ptrdiff_t>(wanted));
    }
    cells.insert(cells.begin(), wanted - cells.size(), LcdCell{});
    return cells;
}

}  // namespace widgets

#pragma once

#include <QColor>

namespace widgets {

// How a digit display draws; every field is one property of the widget.
struct LcdStyle {
    int digitNum = 4;
    QColor color = Qt::black;
    QColor onColor = Qt::red;
    QColor offColor = QColor(64, 0, 0);
    int segmentSize = 6;
    int gapX = 2;
    int gapY = 2;
    int digitSpacing = 6;
    bool dotDisplay = false;
    int dotSpacing = 8;
};

}  // namespace widgets

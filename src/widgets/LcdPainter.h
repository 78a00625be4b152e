#pragma once

#include <QPainter>
#include <QString>

#include "widgets/LcdStyle.h"

namespace widgets {

// Draws `value` over the whole of `area`: background, digit cells side by side with
// `digitSpacing` between them and, when `dotDisplay` is on, a dot slot of `dotSpacing`
// after every cell.
void paintLcd(QPainter& painter, const QRect& area, const LcdStyle& style, const QString& value);

}  // namespace widgets

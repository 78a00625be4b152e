#pragma once

#include <QImage>
#include <QString>
#include <memory>
#include <string>

#include "widgets/Lcd99.h"

namespace widgets::testing {

// The routing view's settings: one red digit on black in an 81 x 89 widget.
inline constexpr int kCellWidth = 81;
inline constexpr int kCellHeight = 89;

std::unique_ptr<TLCD99> routingDisplay(int width = kCellWidth);

QImage render(TLCD99& display);

// The letters a-g of the segments whose centre shows `on`, for the 81 x 89 cell whose
// left edge is `cellLeft`; a '?' marks a centre that is neither `on` nor `off`.
QString litSegments(const QImage& image, int cellLeft, QColor on = Qt::red, QColor off = Qt::black);

// A display value as a test case name can hold it: marks spelled out, "" as "empty".
std::string spelledValue(const char* value);

}  // namespace widgets::testing

#pragma once

#include <QImage>
#include <QStringList>
#include <memory>

#include "widgets/VKGauge.h"

namespace widgets::testing {

// A 300 x 24 gauge whose refusals are collected in `errors` instead of a modal box.
struct RecordedGauge {
    RecordedGauge();
    std::unique_ptr<TVKGauge> gauge = std::make_unique<TVKGauge>();
    QStringList errors;
};

QImage render(TVKGauge& gauge);

// Columns of `row` from `from` that hold `colour`, until the first that does not.
int runLength(const QImage& image, int row, int from, QColor colour);

}  // namespace widgets::testing

#include "GaugeSampling.h"

namespace widgets::testing {

RecordedGauge::RecordedGauge() {
    gauge->setErrorReporter([this](const QString& message) { errors << message; });
}

QImage render(TVKGauge& gauge) {
    return gauge.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

int runLength(const QImage& image, int row, int from, QColor colour) {
    int x = from;
    while (x < image.width() && image.pixelColor(x, row) == colour) ++x;
    return x - from;
}

}  // namespace widgets::testing

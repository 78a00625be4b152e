#include "LcdSampling.h"

#include <QPoint>
#include <array>

namespace widgets::testing {

namespace {

// Centres of the segments a-g in an 81 x 89 cell drawn 10 px thick.
constexpr std::array<QPoint, 7> kSegmentCentres = {
    QPoint(40, 5), QPoint(76, 25), QPoint(76, 64), QPoint(40, 84),
    QPoint(5, 64), QPoint(5, 25),  QPoint(40, 44),
};

}  // namespace

std::unique_ptr<TLCD99> routingDisplay(int width) {
    auto display = std::make_unique<TLCD99>();
    display->resize(width, kCellHeight);
    display->setColor(Qt::black);
    display->setOnColor(Qt::red);
    display->setOffColor(Qt::black);
    display->setSegmentSize(10);
    display->setGapX(3);
    display->setGapY(3);
    display->setDigitNum(1);
    return display;
}

QImage render(TLCD99& display) {
    return display.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QString litSegments(const QImage& image, int cellLeft, QColor on, QColor off) {
    QString lit;
    for (std::size_t seg = 0; seg < kSegmentCentres.size(); ++seg) {
        const QColor pixel = image.pixelColor(kSegmentCentres[seg] + QPoint(cellLeft, 0));
        if (pixel == on) {
            lit += QLatin1Char("abcdefg"[seg]);
        } else if (pixel != off) {
            lit += u'?';
        }
    }
    return lit;
}

}  // namespace widgets::testing

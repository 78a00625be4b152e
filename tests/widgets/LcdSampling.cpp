#include "LcdSampling.h"

#include <QPoint>
#include <array>
#include <map>

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

std::string spelledValue(const char* value) {
    static const std::map<char, const char*> kMarks = {
        {'.', " dot "}, {':', " colon "}, {'-', " minus "}, {' ', " space "}, {'#', " hash "}};
    std::string text;
    for (const char* c = value; *c != 0; ++c) {
        const auto mark = kMarks.find(*c);
        text += mark != kMarks.end() ? mark->second : std::string(1, *c);
    }
    return text.empty() ? "empty" : text;
}

}  // namespace widgets::testing

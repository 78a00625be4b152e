#include "widgets/Lcd99.h"

#include <QPainter>
#include <algorithm>

#include "widgets/LcdPainter.h"

namespace widgets {

TLCD99::TLCD99(QWidget* parent) : QWidget(parent) {
    // Every pixel is painted, so Qt need not clear the background first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

template <typename T>
void TLCD99::change(T& field, const T& wanted) {
    if (field == wanted) return;
    field = wanted;
    cacheStale_ = true;
    update();
}

void TLCD99::setValue(const QString& value) {
    change(value_, value);
}

void TLCD99::setDigitNum(int count) {
    change(style_.digitNum, std::clamp(count, 1, kMaxDigits));
}

void TLCD99::setColor(const QColor& colour) {
    change(style_.color, colour);
}

void TLCD99::setOnColor(const QColor& colour) {
    change(style_.onColor, colour);
}

void TLCD99::setOffColor(const QColor& colour) {
    change(style_.offColor, colour);
}

void TLCD99::setSegmentSize(int pixels) {
    change(style_.segmentSize, std::max(pixels, 1));
}

void TLCD99::setGapX(int pixels) {
    change(style_.gapX, std::max(pixels, 0));
}

void TLCD99::setGapY(int pixels) {
    change(style_.gapY, std::max(pixels, 0));
}

void TLCD99::setDigitSpacing(int pixels) {
    change(style_.digitSpacing, std::max(pixels, 0));
}

void TLCD99::setDotDisplay(bool separateSlots) {
    change(style_.dotDisplay, separateSlots);
}

void TLCD99::setDotSpacing(int pixels) {
    change(style_.dotSpacing, std::max(pixels, 0));
}

void TLCD99::setDoubleBuffer(bool cached) {
    change(doubleBuffer_, cached);
    if (!doubleBuffer_) cache_ = QPixmap();
}

void TLCD99::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    if (!doubleBuffer_) {
        paintLcd(painter, rect(), style_, value_);
        return;
    }
    // A resize or a move to a screen of another pixel ratio also outdates the image.
    const bool fits = cache_.devicePixelRatio() == devicePixelRatioF() &&
                      cache_.deviceIndependentSize() == QSizeF(size());
    if (cacheStale_ || !fits) rebuildCache();
    painter.drawPixmap(0, 0, cache_);
}

void TLCD99::rebuildCache() {
    cacheStale_ = false;
    const qreal ratio = devicePixelRatioF();
    cache_ = QPixmap(size() * ratio);
    cache_.setDevicePixelRatio(ratio);
    if (cache_.isNull()) return;
    QPainter painter(&cache_);
    paintLcd(painter, rect(), style_, value_);
}

}  // namespace widgets

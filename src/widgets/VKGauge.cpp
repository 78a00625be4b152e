#include "widgets/VKGauge.h"

#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <algorithm>

#include "widgets/GaugeRules.h"

namespace widgets {

namespace {

constexpr QSize kInitialSize(300, 24);

Qt::Alignment horizontalAlignment(TVKGauge::TVKTXTALIGN align) {
    switch (align) {
        case TVKGauge::ttaLEFT:
            return Qt::AlignLeft;
        case TVKGauge::ttaRIGHT:
            return Qt::AlignRight;
        case TVKGauge::ttaCENTER:
            break;
    }
    return Qt::AlignHCenter;
}

// Top and left edges in one colour, bottom and right in the other; the corners at the top
// right and bottom left take the bottom colour.
void frame3D(QPainter& canvas, const QRect& r, const QColor& top, const QColor& bottom) {
    canvas.fillRect(QRect(r.left(), r.top(), r.width(), 1), top);
    canvas.fillRect(QRect(r.left(), r.top(), 1, r.height()), top);
    canvas.fillRect(QRect(r.right(), r.top(), 1, r.height()), bottom);
    canvas.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), bottom);
}

void frameFlat(QPainter& canvas, const QRect& r, const QColor& pen) {
    canvas.fillRect(QRect(r.left(), r.top(), r.width(), 1), pen);
    canvas.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), pen);
    canvas.fillRect(QRect(r.left(), r.top(), 1, r.height()), pen);
    canvas.fillRect(QRect(r.right(), r.top(), 1, r.height()), pen);
}

void showErrorBox(QWidget* owner, const QString& message) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Error"), message, QMessageBox::Ok,
                    owner->window());
    box.exec();
}

}  // namespace

TVKGauge::TVKGauge(QWidget* parent)
    : QWidget(parent),
      reportError_([this](const QString& message) { showErrorBox(this, message); }),
      caption_(QStringLiteral("Progress")),
      frame3DTopColor_(palette().color(QPalette::Shadow)) {
    // Every pixel is painted unless Transparent, so Qt need not clear the background first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(kInitialSize);
}

void TVKGauge::setErrorReporter(ErrorReporter reporter) {
    reportError_ = std::move(reporter);
}

QSize TVKGauge::sizeHint() const {
    return kInitialSize;
}

template <typename T>
void TVKGauge::change(T& field, const T& wanted) {
    if (field == wanted) return;
    field = wanted;
    update();
}

bool TVKGauge::refused(const std::optional<QString>& refusal) const {
    if (!refusal) return false;
    if (reportError_) reportError_(*refusal);
    return true;
}

void TVKGauge::setOutLine(TVKOUTLINE outline) {
    outLine_ = outline;
    update();
}

void TVKGauge::setTransparent(bool transparent) {
    transparent_ = transparent;
    setAttribute(Qt::WA_OpaquePaintEvent, !transparent);
    update();
}

void TVKGauge::setCaption(const QString& caption) {
    change(caption_, caption);
}

void TVKGauge::setTxtAlign(TVKTXTALIGN align) {
    change(txtAlign_, align);
}

void TVKGauge::setShowText(bool show) {
    change(showText_, show);
}

void TVKGauge::setShowPercent(bool show) {
    change(showPercent_, show);
}

void TVKGauge::setProgress(qint32 value) {
    if (refused(progressRefusal(value, minValue_, maxValue_)) || value == progress_) return;
    progress_ = value;
    repaint();
}

void TVKGauge::setFrontColor(const QColor& colour) {
    change(frontColor_, colour);
}

void TVKGauge::setBackColor(const QColor& colour) {
    change(backColor_, colour);
}

void TVKGauge::setBorderColor(const QColor& colour) {
    change(borderColor_, colour);
}

void TVKGauge::setFrame3DTopColor(const QColor& colour) {
    change(frame3DTopColor_, colour);
}

void TVKGauge::setFrame3DBottomColor(const QColor& colour) {
    change(frame3DBottomColor_, colour);
}

void TVKGauge::setMinValue(qint32 value) {
    if (refused(minValueRefusal(value, maxValue_))) return;
    change(minValue_, value);
}

void TVKGauge::setMaxValue(qint32 value) {
    if (refused(maxValueRefusal(value, minValue_))) return;
    change(maxValue_, value);
}

void TVKGauge::paintEvent(QPaintEvent* /*event*/) {
    // Drawn off screen first and copied in one go, so frequent progress steps do not flicker.
    const qreal ratio = devicePixelRatioF();
    QPixmap bitmap(size() * ratio);
    if (bitmap.isNull()) return;
    bitmap.setDevicePixelRatio(ratio);
    bitmap.fill(Qt::transparent);
    {
        QPainter canvas(&bitmap);
        Paint(canvas);
    }
    QPainter(this).drawPixmap(0, 0, bitmap);
}

void TVKGauge::Paint(QPainter& canvas) const {
    QRect r = rect();
    if (outLine_ == ol3D) {
        frame3D(canvas, r, frame3DTopColor_, frame3DBottomColor_);
        r.adjust(1, 1, -1, -1);
        if (!transparent_) canvas.fillRect(r, backColor_);
    } else {
        if (!transparent_) canvas.fillRect(r, backColor_);
        frameFlat(canvas, r, borderColor_);
        r.adjust(1, 1, -1, -1);
    }

    // A Progress beyond the range reaches past the inner rectangle, at most to the edge.
    const int bar = static_cast<int>(
        std::clamp<qint64>(barWidth(r.width(), progress_, minValue_, maxValue_), 0, width()));
    const QRect barRect(r.left(), r.top(), bar, r.height());
    canvas.fillRect(barRect, frontColor_);

    if (!showText_) return;
    const QString text =
        gaugeText(caption_, showPercent_, percentShown(progress_, minValue_, maxValue_));
    const int flags = horizontalAlignment(txtAlign_) | Qt::AlignVCenter | Qt::TextSingleLine;
    canvas.setFont(font());
    canvas.setPen(palette().color(QPalette::WindowText));
    canvas.drawText(r, flags, text);
    canvas.setClipRect(barRect);
    canvas.setPen(backColor_);
    canvas.drawText(r, flags, text);
}

}  // namespace widgets

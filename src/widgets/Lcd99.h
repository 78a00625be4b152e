#pragma once

#include <QPixmap>
#include <QString>
#include <QWidget>

#include "widgets/LcdStyle.h"

namespace widgets {

// Seven-segment display of a short text: digits, blank, "-", "." and ":" and letters
// (shown upper-cased; anything else stays blank). The text is right-aligned in
// `DigitNum` cells; a longer text shows its last `DigitNum` cells.
class TLCD99 : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Value READ value WRITE setValue)
    Q_PROPERTY(int DigitNum READ digitNum WRITE setDigitNum)
    Q_PROPERTY(QColor Color READ color WRITE setColor)
    Q_PROPERTY(QColor OnColor READ onColor WRITE setOnColor)
    Q_PROPERTY(QColor OffColor READ offColor WRITE setOffColor)
    Q_PROPERTY(int SegmentSize READ segmentSize WRITE setSegmentSize)
    Q_PROPERTY(int GapX READ gapX WRITE setGapX)
    Q_PROPERTY(int GapY READ gapY WRITE setGapY)
    Q_PROPERTY(int DigitSpacing READ digitSpacing WRITE setDigitSpacing)
    Q_PROPERTY(bool DotDisplay READ dotDisplay WRITE setDotDisplay)
    Q_PROPERTY(int DotSpacing READ dotSpacing WRITE setDotSpacing)
    Q_PROPERTY(bool DoubleBuffer READ doubleBuffer WRITE setDoubleBuffer)

public:
    // More cells than any display has room for; keeps a stray value from
    // making a paint walk millions of cells.
    static constexpr int kMaxDigits = 64;

    explicit TLCD99(QWidget* parent = nullptr);

    QString value() const { return value_; }
    int digitNum() const { return style_.digitNum; }
    QColor color() const { return style_.color; }
    QColor onColor() const { return style_.onColor; }
    QColor offColor() const { return style_.offColor; }
    int segmentSize() const { return style_.segmentSize; }
    int gapX() const { return style_.gapX; }
    int gapY() const { return style_.gapY; }
    int digitSpacing() const { return style_.digitSpacing; }
    bool dotDisplay() const { return style_.dotDisplay; }
    int dotSpacing() const { return style_.dotSpacing; }
    bool doubleBuffer() const { return doubleBuffer_; }

    void setValue(const QString& value);
    void setDigitNum(int count);
    void setColor(const QColor& colour);
    void setOnColor(const QColor& colour);
    void setOffColor(const QColor& colour);
    void setSegmentSize(int pixels);
    void setGapX(int pixels);
    void setGapY(int pixels);
    void setDigitSpacing(int pixels);
    void setDotDisplay(bool separateSlots);
    void setDotSpacing(int pixels);
    // Off: every paint draws the segments afresh instead of copying the cached image.
    void setDoubleBuffer(bool cached);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    template <typename T>
    void change(T& field, const T& wanted);
    void rebuildCache();

    QString value_;
    LcdStyle style_;
    bool doubleBuffer_ = true;
    QPixmap cache_;
    bool cacheStale_ = true;
};

}  // namespace widgets

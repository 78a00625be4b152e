#pragma once

#include <QColor>
#include <QString>
#include <QWidget>
#include <functional>
#include <optional>

namespace widgets {

// A horizontal progress bar drawn entirely by itself: an outline, a bar in proportion to
// Progress, and a text that reads in the font's colour over the empty part and in BackColor
// over the bar. The font's colour is the widget's WindowText palette colour.
class TVKGauge : public QWidget {
    Q_OBJECT
    Q_PROPERTY(TVKOUTLINE OutLine READ outLine WRITE setOutLine)
    Q_PROPERTY(bool Transparent READ transparent WRITE setTransparent)
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(TVKTXTALIGN TxtAlign READ txtAlign WRITE setTxtAlign)
    Q_PROPERTY(bool ShowText READ showText WRITE setShowText)
    Q_PROPERTY(bool ShowPercent READ showPercent WRITE setShowPercent)
    Q_PROPERTY(qint32 Progress READ progress WRITE setProgress)
    Q_PROPERTY(QColor FrontColor READ frontColor WRITE setFrontColor)
    Q_PROPERTY(QColor BackColor READ backColor WRITE setBackColor)
    Q_PROPERTY(QColor BorderColor READ borderColor WRITE setBorderColor)
    Q_PROPERTY(QColor Frame3DTopColor READ frame3DTopColor WRITE setFrame3DTopColor)
    Q_PROPERTY(QColor Frame3DBottomColor READ frame3DBottomColor WRITE setFrame3DBottomColor)
    Q_PROPERTY(qint32 MinValue READ minValue WRITE setMinValue)
    Q_PROPERTY(qint32 MaxValue READ maxValue WRITE setMaxValue)

public:
    enum TVKOUTLINE { ol3D = 0, olFLAT = 1 };
    Q_ENUM(TVKOUTLINE)
    enum TVKTXTALIGN { ttaLEFT = 0, ttaCENTER = 1, ttaRIGHT = 2 };
    Q_ENUM(TVKTXTALIGN)

    // Shows a refused property value to the operator; the default is a modal "Error" box.
    using ErrorReporter = std::function<void(const QString& message)>;

    explicit TVKGauge(QWidget* parent = nullptr);

    void setErrorReporter(ErrorReporter reporter);

    TVKOUTLINE outLine() const { return outLine_; }
    bool transparent() const { return transparent_; }
    QString caption() const { return caption_; }
    TVKTXTALIGN txtAlign() const { return txtAlign_; }
    bool showText() const { return showText_; }
    bool showPercent() const { return showPercent_; }
    qint32 progress() const { return progress_; }
    QColor frontColor() const { return frontColor_; }
    QColor backColor() const { return backColor_; }
    QColor borderColor() const { return borderColor_; }
    QColor frame3DTopColor() const { return frame3DTopColor_; }
    QColor frame3DBottomColor() const { return frame3DBottomColor_; }
    qint32 minValue() const { return minValue_; }
    qint32 maxValue() const { return maxValue_; }

    // These two always ask for a repaint, also for an unchanged value.
    void setOutLine(TVKOUTLINE outline);
    void setTransparent(bool transparent);

    void setCaption(const QString& caption);
    void setTxtAlign(TVKTXTALIGN align);
    void setShowText(bool show);
    void setShowPercent(bool show);
    // A new value is drawn before this returns, so the bar keeps up while the caller is busy.
    void setProgress(qint32 value);
    void setFrontColor(const QColor& colour);
    void setBackColor(const QColor& colour);
    void setBorderColor(const QColor& colour);
    void setFrame3DTopColor(const QColor& colour);
    void setFrame3DBottomColor(const QColor& colour);
    void setMinValue(qint32 value);
    void setMaxValue(qint32 value);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    template <typename T>
    void change(T& field, const T& wanted);
    // True when the value is refused; the operator has then been told why.
    bool refused(const std::optional<QString>& refusal) const;
    void Paint(QPainter& canvas) const;

    ErrorReporter reportError_;
    TVKOUTLINE outLine_ = olFLAT;
    bool transparent_ = false;
    QString caption_;
    TVKTXTALIGN txtAlign_ = ttaCENTER;
    bool showText_ = true;
    bool showPercent_ = true;
    qint32 progress_ = 0;
    QColor frontColor_ = Qt::black;
    QColor backColor_ = Qt::white;
    QColor borderColor_ = Qt::black;
    QColor frame3DTopColor_;
    QColor frame3DBottomColor_ = Qt::white;
    qint32 minValue_ = 0;
    qint32 maxValue_ = 100;
};

}  // namespace widgets

#include "widgets/GaugeRules.h"

namespace widgets {

namespace {

const QString kNegative = QStringLiteral("Value must be greater than 0.");

}  // namespace

std::optional<QString> progressRefusal(qint32 value, qint32 minValue, qint32 maxValue) {
    if (value < 0) return kNegative;
    if (value < minValue) return QStringLiteral("Value is less than MinValue.");
    if (value > maxValue) return QStringLiteral("Value is greater than MaxValue.");
    return std::nullopt;
}

std::optional<QString> minValueRefusal(qint32 value, qint32 maxValue) {
    if (value < 0) return kNegative;
    if (value >= maxValue) return QStringLiteral("Value is greater than or equal to MaxValue.");
    return std::nullopt;
}

std::optional<QString> maxValueRefusal(qint32 value, qint32 minValue) {
    if (value < 0) return kNegative;
    if (value <= minValue) return QStringLiteral("Value is less than or equal to MinValue.");
    return std::nullopt;
}

qint64 barWidth(int innerWidth, qint32 progress, qint32 minValue, qint32 maxValue) {
    return qint64{innerWidth} * progress / (qint64{maxValue} - minValue);
}

qint64 percentShown(qint32 progress, qint32 minValue, qint32 maxValue) {
    return qint64{progress} * 100 / (qint64{maxValue} - minValue);
}

QString gaugeText(const QString& caption, bool showPercent, qint64 percent) {
    if (!showPercent) return caption;
    const QString shown = QString::number(percent) + u'%';
    return caption.isEmpty() ? shown : caption + u' ' + shown;
}

}  // namespace widgets

#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

namespace widgets {

// What the gauge's setters refuse, and the numbers its paint derives from the range. The range
// rules keep 0 <= MinValue < MaxValue; Progress is checked only when it is set itself.

// The message for a refused value; nothing when the value is allowed.
std::optional<QString> progressRefusal(qint32 value, qint32 minValue, qint32 maxValue);
std::optional<QString> minValueRefusal(qint32 value, qint32 maxValue);
std::optional<QString> maxValueRefusal(qint32 value, qint32 minValue);

// Width x Progress div (MaxValue - MinValue), truncated. Progress is not reduced by MinValue,
// so a Progress above the range gives a bar wider than `innerWidth`; the product is taken in
// 64 bits so that a large Progress cannot overflow.
qint64 barWidth(int innerWidth, qint32 progress, qint32 minValue, qint32 maxValue);
qint64 percentShown(qint32 progress, qint32 minValue, qint32 maxValue);

// "Caption 50%", "50%" without a caption, or the caption alone without the percentage.
QString gaugeText(const QString& caption, bool showPercent, qint64 percent);

}  // namespace widgets

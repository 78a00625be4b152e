#include "ui/pages/FormParts.h"

#include <QComboBox>
#include <QGroupBox>
#include <QPainter>
#include <QSet>
#include <QVariant>
#include <algorithm>
#include <functional>

namespace ui {

namespace {

constexpr char kNotAvailable[] = "gcNotAvailable";
constexpr int kPictureSize = 32;

QPixmap roundPicture(const QColor& fill, const std::function<void(QPainter&)>& mark) {
    QPixmap picture(kPictureSize, kPictureSize);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(fill);
    painter.drawEllipse(2, 2, kPictureSize - 4, kPictureSize - 4);
    painter.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap));
    mark(painter);
    return picture;
}

}  // namespace

void markNotAvailable(QWidget* control) {
    control->setProperty(kNotAvailable, true);
    control->setEnabled(false);
}

void setControlEnabled(QWidget* control, bool enabled) {
    control->setEnabled(enabled && !control->property(kNotAvailable).toBool());
}

void setGroupEnabled(QWidget* group, bool enabled) {
    setControlEnabled(group, enabled);
    // Only the colour group in use is set, so disabled controls inside keep their own grey.
    QPalette palette = group->palette();
    if (group->isEnabled()) {
        palette.setColor(QPalette::Active, QPalette::WindowText, Qt::black);
        palette.setColor(QPalette::Inactive, QPalette::WindowText, Qt::black);
    } else {
        palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(128, 128, 128));
    }
    group->setPalette(palette);
}

void setControlsEnabled(std::initializer_list<QWidget*> controls, bool enabled) {
    for (QWidget* control : controls) {
        if (qobject_cast<QGroupBox*>(control)) {
            setGroupEnabled(control, enabled);
        } else {
            setControlEnabled(control, enabled);
        }
    }
}

int addSorted(QComboBox* list, const QString& text) {
    int index = 0;
    while (index < list->count() &&
           QString::compare(list->itemText(index), text, Qt::CaseInsensitive) <= 0) {
        ++index;
    }
    list->insertItem(index, text);
    return index;
}

void setSortedItems(QComboBox* list, const QStringList& texts) {
    // Sorted apart and added at once: a settings file may hold tens of thousands of entries.
    QStringList items;
    QSet<QString> seen;
    for (const QString& text : texts) {
        if (text.isEmpty() || seen.contains(text)) continue;
        seen.insert(text);
        items << text;
    }
    // Stable, so texts equal but for case stay in the order addSorted would have left them.
    std::stable_sort(items.begin(), items.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    list->clear();
    list->addItems(items);
}

void setBold(QWidget* control) {
    QFont font = control->font();
    font.setBold(true);
    control->setFont(font);
}

QPixmap connectionPicture(bool open) {
    return roundPicture(open ? QColor(0, 160, 0) : QColor(200, 0, 0), [open](QPainter& p) {
        if (open) {
            p.drawLine(10, 16, 22, 16);
        } else {
            p.drawLine(11, 11, 21, 21);
            p.drawLine(21, 11, 11, 21);
        }
    });
}

QPixmap powerPicture(bool on) {
    return roundPicture(on ? QColor(0, 160, 0) : QColor(120, 120, 120), [](QPainter& p) {
        p.drawArc(9, 9, 14, 14, 120 * 16, 300 * 16);
        p.drawLine(16, 7, 16, 15);
    });
}

}  // namespace ui

#pragma once

#include <QPixmap>
#include <QStringList>
#include <QWidget>

class QComboBox;
#include <initializer_list>
#include <utility>

namespace ui {

// A child control with its name, as the form designer would place it.
template <class W, class... Args>
W* makeControl(QWidget* parent, const char* name, Args&&... args) {
    auto* control = new W(std::forward<Args>(args)..., parent);
    control->setObjectName(QLatin1String(name));
    return control;
}

// Controls whose function is not in this build stay disabled, whatever the mode enabling says,
// so nothing on screen offers an action that does nothing.
void markNotAvailable(QWidget* control);
void setControlEnabled(QWidget* control, bool enabled);

// Group captions: black while the group is enabled, grey (128, 128, 128) while disabled.
void setGroupEnabled(QWidget* group, bool enabled);
// Each of the controls as a group or a control, whichever it is.
void setControlsEnabled(std::initializer_list<QWidget*> controls, bool enabled);

void setBold(QWidget* control);

// Adds an item to a list kept in order (case-insensitive, as a sorted drop-down list keeps it);
// returns its index.
int addSorted(QComboBox* list, const QString& text);
// Replaces the list's items with the texts in the order addSorted keeps, each text once and no
// empty one.
void setSortedItems(QComboBox* list, const QStringList& texts);

QPixmap connectionPicture(bool open);
QPixmap powerPicture(bool on);

}  // namespace ui

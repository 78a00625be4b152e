#pragma once

#include <QVariant>
#include <QWidget>

namespace ui {

// Port controls carry their port in a numeric Tag (inputs 1-8, outputs 41-48, per-output
// sources 81-88) and are found by it; this is the one place that search lives.
inline void setTag(QObject* control, int tag) {
    control->setProperty("Tag", tag);
}

inline int tagOf(const QObject* control) {
    return control->property("Tag").toInt();
}

template <class T>
T* findByTag(const QWidget& parent, int tag) {
    for (T* control : parent.findChildren<T*>()) {
        if (tagOf(control) == tag) return control;
    }
    return nullptr;
}

}  // namespace ui

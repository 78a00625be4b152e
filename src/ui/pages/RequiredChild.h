#pragma once

#include <QWidget>

namespace ui {

// A control the form always holds; a missing one is a fault in the form itself.
template <class T>
T* requiredChild(const QWidget& parent, const char* name) {
    T* found = parent.findChild<T*>(QLatin1String(name));
    if (!found) qFatal("control %s is missing", name);
    return found;
}

}  // namespace ui

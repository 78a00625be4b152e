#pragma once

#include <QEvent>
#include <QObject>

namespace widgets::testing {

// Counts the paint events of the widget it is installed on.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

}  // namespace widgets::testing

#include "ui/mainwindow/PageControl.h"

namespace ui {

TPageControl::TPageControl(QWidget* parent) : QTabWidget(parent) {
    setObjectName(QStringLiteral("pcContainer"));
    setTabPosition(QTabWidget::South);
    connect(this, &QTabWidget::currentChanged, this, &TPageControl::onCurrentChanged);
}

void TPageControl::onCurrentChanged(int index) {
    if (reverting_) return;
    // The first page added is shown without asking.
    if (shown_ >= 0 && guard_ && !guard_()) {
        reverting_ = true;
        setCurrentIndex(shown_);
        reverting_ = false;
        return;
    }
    shown_ = index;
    emit pageChanged(index);
}

}  // namespace ui

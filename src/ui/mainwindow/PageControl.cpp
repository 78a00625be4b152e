#include "ui/mainwindow/PageControl.h"

#include <QSignalBlocker>

namespace ui {

TPageControl::TPageControl(QWidget* parent) : QTabWidget(parent) {
    setObjectName(QStringLiteral("pcContainer"));
    setTabPosition(QTabWidget::South);
    connect(this, &QTabWidget::currentChanged, this, &TPageControl::onCurrentChanged);
}

void TPageControl::addPage(QWidget* page, const QString& title) {
    builds_.emplace_back();
    addTab(page, title);
}

void TPageControl::addLaterPage(std::function<QWidget*()> build, const QString& title) {
    // The tab holds an empty stand-in until its page takes its place.
    builds_.push_back(std::move(build));
    addTab(new QWidget, title);
}

void TPageControl::buildEveryPage() {
    for (int index = 0; index < count(); ++index) build(index);
}

QWidget* TPageControl::page(int index) const {
    const bool built = index >= 0 && index < count() && !builds_[index];
    return built ? widget(index) : nullptr;
}

void TPageControl::build(int index) {
    if (!builds_[index]) return;
    QWidget* page = std::exchange(builds_[index], {})();
    QWidget* standIn = widget(index);
    const bool showing = currentIndex() == index;
    {
        // Swapping the page in is no change of page.
        const QSignalBlocker quiet(this);
        const QString title = tabText(index);
        removeTab(index);
        insertTab(index, page, title);
        if (showing) setCurrentIndex(index);
    }
    standIn->deleteLater();
}

void TPageControl::onCurrentChanged(int index) {
    if (reverting_ || index < 0) return;
    // The first page added is shown without asking.
    if (shown_ >= 0 && guard_ && !guard_()) {
        reverting_ = true;
        setCurrentIndex(shown_);
        reverting_ = false;
        return;
    }
    shown_ = index;
    build(index);
    emit pageShown(widget(index));
}

}  // namespace ui

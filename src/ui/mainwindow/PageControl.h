#pragma once

#include <QTabWidget>
#include <functional>

namespace ui {

// A tab widget whose page changes can be refused: a refused change snaps back to the page
// that was showing, and only accepted changes are announced by pageChanged.
class TPageControl final : public QTabWidget {
    Q_OBJECT

public:
    explicit TPageControl(QWidget* parent = nullptr);
    void setChangeGuard(std::function<bool()> guard) { guard_ = std::move(guard); }

signals:
    void pageChanged(int index);

private:
    void onCurrentChanged(int index);

    std::function<bool()> guard_;
    int shown_ = -1;
    bool reverting_ = false;
};

}  // namespace ui

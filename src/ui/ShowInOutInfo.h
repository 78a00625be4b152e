#pragma once

#include <QWidget>

class QLabel;

namespace ui {

// The borderless tag pop-up beside the mouse; its user sets text, size and position.
// A click anywhere on it closes it.
class TfrmShowInOutInfo final : public QWidget {
    Q_OBJECT

public:
    explicit TfrmShowInOutInfo(QWidget* parent = nullptr);
    QLabel* lblInfo() const { return lblInfo_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QLabel* lblInfo_ = nullptr;
};

}  // namespace ui

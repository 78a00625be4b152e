#pragma once

#include <QStringList>
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

    // The label shows the lines; the window takes the label's font and a size that fits them
    // with 10 pixels to spare.
    void showLines(const QStringList& lines);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QLabel* lblInfo_ = nullptr;
};

}  // namespace ui

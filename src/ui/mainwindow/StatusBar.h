#pragma once

#include <QStatusBar>
#include <array>

class QLabel;

namespace ui {

class OperationPanel;

// The five-panel status bar "sb": panel 2 is drawn by the window in normal or alert colours,
// the others are plain labels.
class TStatusBar final : public QStatusBar {
    Q_OBJECT

public:
    static constexpr int kPanelCount = 5;

    explicit TStatusBar(QWidget* parent = nullptr);

    QString panelText(int panel) const;
    void setPanelText(int panel, const QString& text);
    // Alert colours are a red background with white text; normal ones black on button face.
    void setAlertColours(bool alert);
    bool alertColours() const;
    void repaintNow();

private:
    OperationPanel* operation_ = nullptr;
    std::array<QLabel*, kPanelCount> labels_{};  // panel 2 has no label
};

}  // namespace ui

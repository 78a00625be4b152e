#include "ui/mainwindow/MainWindow.h"
#include "ui/mainwindow/StatusBar.h"

namespace ui {

namespace {

constexpr int kOperationPanel = 2;
constexpr int kBlinkStepMs = 350;
constexpr int kBlinkFlips = 5;

}  // namespace

void TForm1::writeOperationPanel(const QString& text) {
    sb_->setAlertColours(statusBlink_ == 0);
    sb_->setPanelText(kOperationPanel, text);
    sb_->repaintNow();
}

void TForm1::ShowStatus(int panel, const QString& text, bool alert) {
    if (panel != kOperationPanel) {
        if (sb_->panelText(panel) != text) sb_->setPanelText(panel, text);
        return;
    }
    statusBlink_ = 1;
    if (!alert) {
        writeOperationPanel(text);
        return;
    }
    // While closing nothing may hold up the unwinding operation.
    if (flags_.stopRequested()) return;
    writeOperationPanel(text);
    sleeper_.sleepMs(kBlinkStepMs);
    for (int flip = 0; flip < kBlinkFlips; ++flip) {
        statusBlink_ ^= 1;
        writeOperationPanel(text);
        sleeper_.sleepMs(kBlinkStepMs);
    }
}

}  // namespace ui

#include "core/OperatorTexts.h"
#include "ui/dialogs/SearchWizard.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/mainwindow/PageControl.h"
#include "ui/mainwindow/StatusBar.h"
#include "ui/mainwindow/SwitcherFollowing.h"
#include "ui/pages/Tab.h"
#include "ui/pages/general/GeneralPage.h"

namespace ui {

using namespace devlink;

void TForm1::showLinkFailure(const QString& text) {
    ShowStatus(devlink::StatusPanel::Operation, text, true);
    ShowStatus(devlink::StatusPanel::Notes, QString(), false);
}

void TForm1::linkNotification(const LinkNotification& n) {
    switch (n.message) {
        case WM_LINK_TIMEOUT:
        case WM_LINK_INVALID:
        case WM_LINK_ERROR:
        case WM_LINK_NOREPLY:
        case WM_LINK_CONNECTFAIL: {
            showLinkFailure(
                core::FailureText(FailureOfMessage(n.message), core::FailureContextOf(*link_)));
            // A cause the operator can act on goes beside it, where a side note has room.
            if (!n.text.isEmpty()) ShowStatus(devlink::StatusPanel::Notes, n.text, false);
            break;
        }
        case WM_LINK_PARTREFUSED:
        case WM_LINK_PROGRESS:
        case WM_LINK_STATUS:
            tellTabs([&n](Tab& tab) { tab.linkNotified(n); });
            break;
        case WM_LINK_LANSTATUS:
            // LParam 0 is search progress for the search wizard.
            if (n.lParam == 1) {
                ShowStatus(devlink::StatusPanel::Operation, n.text, false);
            } else {
                searchWizard().searchStatus(n.text);
            }
            break;
        default:
            break;
    }
}

namespace {

constexpr int kBlinkStepMs = 350;
constexpr int kBlinkFlips = 5;

}  // namespace

void TForm1::writeOperationPanel(const QString& text) {
    sb_->setAlertColours(statusBlink_ == 0);
    sb_->setPanelText(static_cast<int>(devlink::StatusPanel::Operation), text);
    sb_->repaintNow();
}

void TForm1::ShowStatus(devlink::StatusPanel panel, const QString& text, bool alert) {
    if (panel != devlink::StatusPanel::Operation) {
        const int index = static_cast<int>(panel);
        if (sb_->panelText(index) != text) sb_->setPanelText(index, text);
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

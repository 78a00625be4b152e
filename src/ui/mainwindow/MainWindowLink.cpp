#include <algorithm>

#include "core/OperatorTexts.h"
#include "ui/dialogs/SearchWizard.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/mainwindow/PageControl.h"
#include "ui/mainwindow/StatusBar.h"
#include "ui/mainwindow/SwitcherFollowing.h"
#include "ui/pages/Tab.h"
#include "ui/pages/general/GeneralPage.h"

namespace ui {

namespace {

const QString kConnectionNames[] = {QStringLiteral("Disconnect"), QStringLiteral("Connected")};

constexpr int kAfterConnectMs = 100;

}  // namespace

bool TForm1::comMode() const {
    return link_->ControlMode() == devlink::cmCOM;
}

void TForm1::RefreshSerialPorts() {
    QStringList ports;
    for (const QString& name : serialPorts_.portNames()) {
        if (!ports.contains(name)) ports.append(name);
    }
    const QStringList shown = general_->serialPorts();
    const bool changed = ports.size() != shown.size() ||
                         std::any_of(ports.begin(), ports.end(), [&shown](const QString& port) {
                             return !shown.contains(port);
                         });
    if (!changed) return;

    general_->setSerialPorts(ports);
    // A followed line whose adapter went away is reopened when it comes back under its name.
    if (!ports.contains(link_->GetComPort()) && link_->GetConnected() && comMode() &&
        !following_->keepsLine()) {
        btnConnectClick();
    }
    general_->chooseSerialPort(link_->GetComPort());
}

void TForm1::btnConnectClick() {
    if (!link_->GetConnected() && !following_->reconnectText()) {
        connectLine();
        return;
    }
    ShowStatus(devlink::StatusPanel::Operation, QString(), false);
    following_->lineClosed();
    link_->Disconnect();
    afterLineChange();
}

void TForm1::connectLine() {
    ShowStatus(devlink::StatusPanel::Operation, QString(), false);
    if (comMode()) {
        link_->SetComPort(general_->chosenSerialPort());
        ShowStatus(devlink::StatusPanel::Operation,
                   QStringLiteral("Opening [") + link_->GetComPort() + QStringLiteral("] ..."),
                   false);
    } else {
        ShowStatus(devlink::StatusPanel::Operation,
                   QStringLiteral("Connecting [") + link_->DeviceIP() + QStringLiteral("] ..."),
                   false);
    }
    general_->setConnectEnabled(false);
    if (link_->Connect() || connectMovedModule()) following_->lineOpened();
    general_->setConnectEnabled(true);
    if (pcContainer_->currentIndex() == 0) general_->focusConnect();
    afterLineChange();
}

void TForm1::afterLineChange() {
    showLinkState();
    if (link_->GetConnected()) ShowStatus(devlink::StatusPanel::Operation, QString(), false);
    sleeper_.sleepMs(kAfterConnectMs);
}

void TForm1::showLinkState() {
    const bool connected = link_->GetConnected();
    // A line being reopened is still the operator's: Disconnect ends the attempts.
    const bool held = connected || following_->reconnectText();
    // "&Connect" is the state name "Connected" less its last two letters.
    general_->showLine(connected, held,
                       QStringLiteral("&") +
                           (held ? QStringLiteral("Disconnect") : kConnectionNames[1].chopped(2)));
    showConnectionState();
}

void TForm1::closeLine() {
    if (link_->GetConnected() || following_->reconnectText()) btnConnectClick();
}

// The adapter was unplugged or the module hung up: the window shows what its own disconnect
// would have left.
void TForm1::lineLost() {
    if (closed_ || !link_ || link_->GetConnected()) return;
    // Unfollowed, a lost line is closed: ticking the box later does not reopen it.
    if (!following_->keepsLine()) following_->lineClosed();
    ShowStatus(devlink::StatusPanel::Operation, QString(), false);
    showLinkState();
}

void TForm1::showConnectionState() {
    if (const auto reconnecting = following_->reconnectText()) {
        ShowStatus(devlink::StatusPanel::Connection, *reconnecting, false);
        return;
    }
    if (!link_->GetConnected()) {
        ShowStatus(devlink::StatusPanel::Connection, kConnectionNames[0], false);
        return;
    }
    const QString where = comMode() ? link_->GetComPort() : link_->DeviceIP();
    ShowStatus(devlink::StatusPanel::Connection, where + QStringLiteral(": ") + kConnectionNames[1],
               false);
}

// A mode change under a waiting command would move the rest of it to the other transport.
bool TForm1::modeChangeRefused() {
    if (runner_->LinkIdle()) return false;
    general_->showControlMode(!comMode());
    return true;
}

void TForm1::rbCOMModeClick() {
    if (modeChangeRefused()) return;
    ShowStatus(devlink::StatusPanel::Operation, QString(), false);
    closeLine();
    clearPortTags();
    link_->SetControlMode(devlink::cmCOM);
    ApplyModeEnabling(devlink::cmCOM, false);
    LoadPortTags(devlink::cmCOM, currentDeviceMAC_);
}

void TForm1::rbLANModeClick() {
    if (link_->IsSearching() || modeChangeRefused()) return;
    closeLine();
    clearPortTags();
    link_->SetControlMode(devlink::cmLAN);
    LoadPortTags(devlink::cmLAN, currentDeviceMAC_);
    ShowStatus(devlink::StatusPanel::Notes, QString(), false);
    ApplyModeEnabling(devlink::cmLAN, false);
    if (!general_->lanModeShown()) {
        ShowStatus(devlink::StatusPanel::Operation, QString(), false);
    }
}

void TForm1::ApplyModeEnabling(devlink::TControlMode mode, bool locked) {
    general_->enableForMode(mode == devlink::cmLAN, locked);
    const bool comEnabled = mode == devlink::cmCOM && !locked;
    // The Ethernet module is reached through the switcher's serial port; a tab made later
    // takes this when it is made.
    serialControl_ = comEnabled;
    tellTabs([comEnabled](Tab& tab) { tab.serialControlChanged(comEnabled); });
}

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
            core::FailureContext where;
            where.comMode = comMode();
            where.port = link_->GetComPort();
            where.address = link_->DeviceIP();
            where.connected = link_->GetConnected();
            showLinkFailure(core::FailureText(FailureOfMessage(n.message), where));
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
                findChild<TfrmSearch*>(QStringLiteral("TfrmSearch"))->searchStatus(n.text);
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

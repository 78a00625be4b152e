#include "ui/mainwindow/MainWindow.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QScreen>

#include "settings/IniFile.h"
#include "settings/PortTagSections.h"
#include "settings/SettingsFile.h"
#include "ui/mainwindow/PageControl.h"
#include "ui/mainwindow/StatusBar.h"
#include "ui/mainwindow/SwitcherFollowing.h"
#include "ui/pages/Tab.h"
#include "ui/pages/fwupgrade/FwUpgradePage.h"
#include "ui/pages/general/GeneralPage.h"
#include "ui/presenters/Dialogs.h"
#include "ui/presenters/general/DeviceStatusPresenter.h"

namespace ui {

namespace {

// The window's design size; the height fits the tallest page, "Setting".
constexpr int kWindowWidth = 1025;
constexpr int kWindowHeight = 560;
constexpr int kTimerIntervalMs = 1000;

}  // namespace

TForm1::TForm1(TForm1Environment environment, QWidget* parent)
    : QMainWindow(parent),
      dialogs_(*environment.dialogs),
      serialPorts_(*environment.serialPorts),
      sleeper_(*environment.sleeper),
      dateTime_(*environment.dateTime),
      settingsPath_(environment.settingsPath),
      clock_(*environment.linkParts.clock),
      flags_(*environment.linkParts.flags),
      tmr_(this) {
    setObjectName(QStringLiteral("TForm1"));
    link_ = new devlink::TVKCOMControl(std::move(environment.linkParts), this);
    connect(link_, &devlink::TVKCOMControl::notified, this, &TForm1::linkNotification,
            Qt::DirectConnection);
    // Queued: a loss seen inside a command's wait is shown once that command has unwound.
    connect(link_, &devlink::TVKCOMControl::lineLost, this, &TForm1::lineLost,
            Qt::QueuedConnection);
    runner_ = std::make_unique<core::CommandRunner>(*link_, flags_, commandHost());

    setWindowTitle(QStringLiteral("6x6 HDMI Matrix Controller - ") + QStringLiteral("ver6.08"));
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    buildForm();

    tmr_.setObjectName(QStringLiteral("tmr"));
    tmr_.setInterval(kTimerIntervalMs);
    connect(&tmr_, &QTimer::timeout, this, &TForm1::tmrTimer);
}

TForm1::~TForm1() = default;

void TForm1::connectForCommand() {
    connection_->connectLine();
}

void TForm1::showStatus(devlink::StatusPanel panel, const QString& text, bool alert) {
    ShowStatus(panel, text, alert);
}

void TForm1::informationBox(const QString& text) {
    dialogs_.information(text);
}

bool TForm1::powerOn() {
    return PowerOn();
}

void TForm1::buildForm() {
    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    pcContainer_ = new TPageControl(central);
    addTabs();
    bindFollowing();
    pcContainer_->setChangeGuard([this] { return PageChangeAllowed(); });
    layout->addWidget(pcContainer_, 1);
    auto* diagnostics = buildDiagnosticColumn();
    diagnostics->setParent(central);
    layout->addWidget(diagnostics);
    setCentralWidget(central);
    sb_ = new TStatusBar(this);
    setStatusBar(sb_);

    setFixedSize(kWindowWidth, std::max(kWindowHeight, sizeHint().height()));
}

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shownOnce_) return;
    shownOnce_ = true;
    if (const QScreen* display = screen()) {
        move(display->availableGeometry().center() - rect().center());
    }
    FormShow();
}

// The pages not showing are built once the window is on the screen, so it shows sooner.
void TForm1::paintEvent(QPaintEvent* event) {
    QMainWindow::paintEvent(event);
    if (paintedOnce_) return;
    paintedOnce_ = true;
    QTimer::singleShot(0, this, &TForm1::afterFirstPaint);
}

void TForm1::afterFirstPaint() {
    connection_->RefreshSerialPorts();
    pcContainer_->buildEveryPage();
    // A page built now may want more room than the design height.
    setFixedSize(kWindowWidth, std::max(height(), sizeHint().height()));
    // A first start makes the file; a hand-edited one is written back in full.
    SaveSettings();
    emit painted();
}

void TForm1::FormShow() {
    tellTabs([](Tab& tab) { tab.windowShown(); });
    if (serialPorts_.portNamesKnown()) connection_->RefreshSerialPorts();
    LoadSettings();
    // The ports are walked once the window has painted.
    connection_->showStoredPort();
    connection_->showConnectionState();
    tmr_.start();
    deviceStatus_->ResetDeviceStatus();
}

bool TForm1::linkBusy() const {
    return !flags_.idle() ||
           (link_ && (link_->IsSearching() || link_->IsConnecting() || link_->IsConfiguring()));
}

bool TForm1::PageChangeAllowed() const {
    return !PowerOn() || !linkBusy();
}

void TForm1::tmrTimer() {
    connection_->RefreshSerialPorts();
    // The countdown of a lost line's next attempt.
    if (following_->reconnectText()) connection_->showConnectionState();
    const QDateTime now = dateTime_.now();
    ShowStatus(devlink::StatusPanel::Clock,
               QString::number(now.date().year()) + now.toString(QStringLiteral("-MM-dd HH:mm")),
               false);
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (closed_) {
        event->accept();
        return;
    }
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

bool TForm1::FormCloseQuery() {
    if (!linkBusy()) {
        flags_.requestStop();
        return true;
    }
    if (link_ && link_->IsConnecting()) {
        dialogs_.information(QStringLiteral("Connection in process, please wait..."));
        return false;
    }
    if (!dialogs_.question(
            QStringLiteral("Processing not complete, continue to close controller?"))) {
        return false;
    }
    flags_.requestStop();
    return true;
}

void TForm1::FormClose() {
    closed_ = true;
    tmr_.stop();
    // Nothing reads or reconnects once the window is going.
    following_->lineClosed();
    // Closed before its first paint: the pages not built yet write their part as they would.
    pcContainer_->buildEveryPage();
    SaveSettings();
    // A command may still be unwinding inside the link's wait: free it once that has returned.
    if (link_) link_->deleteLater();
}

void TForm1::LoadSettings() {
    config::removeStaleSaves(settingsPath_);
    const config::LoadedSettings loaded = config::loadSettings(settingsPath_);
    storedSettings_ = loaded.data;
    // Said once here; the saves then leave the file alone.
    settingsFileKept_ = !loaded.problem.isEmpty();
    if (settingsFileKept_) dialogs_.error(loaded.problem);
    connection_->loadSettings(storedSettings_);
    // Tabs not made yet take their part when they are.
    tellTabs([this](Tab& tab) { tab.loadSettings(storedSettings_); });
}

config::SettingsData TForm1::settingsFromControls() const {
    config::SettingsData data = storedSettings_;
    connection_->storeSettings(data);
    tellTabs([&data](const Tab& tab) { tab.storeSettings(data); });
    return data;
}

void TForm1::SaveSettings() {
    if (settingsFileKept_) return;
    const config::ConnectionTags tags{connection_->comMode(), connection_->currentDeviceMac(),
                                      portTags()};
    if (const auto failure = config::saveSettings(settingsPath_, settingsFromControls(), tags)) {
        dialogs_.error(*failure);
    }
}

void TForm1::LoadPortTags(devlink::TControlMode mode, const QString& mac) {
    showPortTags(config::loadPortTags(settingsPath_, mode == devlink::cmCOM, mac));
}

void TForm1::showPortTags(const config::PortTags& tags) {
    portTags_ = tags;
    tellTabs([this](Tab& tab) { tab.portTagsChanged(portTags_); });
}

void TForm1::portTagsEdited(const config::PortTags& tags) {
    portTags_ = tags;
    SavePortTags(link_->ControlMode(), connection_->currentDeviceMac());
}

void TForm1::SavePortTags(devlink::TControlMode mode, const QString& mac) {
    if (settingsFileKept_) return;
    if (const auto failure =
            config::savePortTags(settingsPath_, {mode == devlink::cmCOM, mac, portTags()})) {
        dialogs_.error(*failure);
    }
}

config::PortTags TForm1::portTags() const {
    return portTags_;
}

void TForm1::clearPortTags() {
    showPortTags({});
}

void TForm1::serialControlChanged(bool on) {
    // A tab made later takes this when it is made.
    serialControl_ = on;
    tellTabs([on](Tab& tab) { tab.serialControlChanged(on); });
}

QString TForm1::statusText(devlink::StatusPanel panel) const {
    return sb_->panelText(static_cast<int>(panel));
}

// A loss seen inside a command's wait arrives once that command has unwound; by then the
// window may be closing.
void TForm1::lineLost() {
    if (closed_ || !link_) return;
    connection_->lineLost();
}

}  // namespace ui

#include "ui/mainwindow/MainWindow.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include "settings/PortTagSections.h"
#include "ui/mainwindow/MainWindowPages.h"
#include "ui/mainwindow/PageControl.h"
#include "ui/mainwindow/StatusBar.h"
#include "ui/pages/edid/EdidPageBinding.h"
#include "ui/pages/general/DeviceStatusBinding.h"
#include "ui/pages/porttag/PortTagBinding.h"
#include "ui/pages/setting/SettingPageBinding.h"
#include "ui/presenters/Dialogs.h"

namespace ui {

namespace {

constexpr int kWindowWidth = 1025;
constexpr int kTimerIntervalMs = 1000;

}  // namespace

TForm1::TForm1(TForm1Environment environment, QWidget* parent)
    : QMainWindow(parent),
      dialogs_(*environment.dialogs),
      serialPorts_(*environment.serialPorts),
      sleeper_(*environment.sleeper),
      dateTime_(*environment.dateTime),
      settingsPath_(environment.settingsPath),
      tmr_(this) {
    setObjectName(QStringLiteral("TForm1"));
    environment.linkParts.flags = &flags_;
    devlink::LinkClock& linkClock = *environment.linkParts.clock;
    link_ = new devlink::TVKCOMControl(std::move(environment.linkParts), this);
    connect(link_, &devlink::TVKCOMControl::notified, this, &TForm1::linkNotification,
            Qt::DirectConnection);
    runner_ = std::make_unique<devlink::CommandRunner>(*link_, flags_, commandHooks());

    setWindowTitle(QStringLiteral("6x6 HDMI Matrix Controller - ") + QStringLiteral("ver6.08"));
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    buildForm();
    bindDeviceStatus(linkClock);
    bindSettingAndPortTagPages();
    bindEdidPage();
    currentDeviceMAC_ = QLatin1String(kNoDeviceMac);

    tmr_.setObjectName(QStringLiteral("tmr"));
    tmr_.setInterval(kTimerIntervalMs);
    connect(&tmr_, &QTimer::timeout, this, &TForm1::tmrTimer);
}

TForm1::~TForm1() = default;

devlink::CommandRunner::Hooks TForm1::commandHooks() {
    return {[this] { btnConnectClick(); },
            [this](int panel, const QString& text, bool alert) { ShowStatus(panel, text, alert); },
            [this](const QString& text) { dialogs_.information(text); },
            [this] { return PowerOn(); }};
}

void TForm1::buildForm() {
    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    pcContainer_ = new TPageControl(central);
    pcContainer_->addTab(buildGeneralPage(), QStringLiteral("General"));
    pcContainer_->addTab(buildPortTagPage(), QStringLiteral("Port Tag"));
    pcContainer_->addTab(buildSettingPage(), QStringLiteral("Setting"));
    pcContainer_->addTab(buildEdidPage(), QStringLiteral("EDID control"));
    pcContainer_->addTab(buildAdvancedPage(), QStringLiteral("Advanced"));
    pcContainer_->addTab(buildFwUpgradePage(), QStringLiteral("FW upgrade"));
    pcContainer_->setChangeGuard([this] { return PageChangeAllowed(); });
    layout->addWidget(pcContainer_, 1);
    auto* diagnostics = buildDiagnosticColumn();
    diagnostics->setParent(central);
    layout->addWidget(diagnostics);
    setCentralWidget(central);
    sb_ = new TStatusBar(this);
    setStatusBar(sb_);

    rbCOMMode_ = control<QRadioButton>("rbCOMMode");
    rbLANMode_ = control<QRadioButton>("rbLANMode");
    cbCOMList_ = control<QComboBox>("cbCOMList");
    btnConnect_ = control<QPushButton>("btnConnect");
    imgOpen_ = control<QLabel>("imgOpen");
    imgClose_ = control<QLabel>("imgClose");
    cbDisplayTag_ = control<QCheckBox>("cbDisplayTag");
    mmoMessage_ = control<QPlainTextEdit>("mmoMessage");
    tsgFWProgress_ = control<QProgressBar>("tsgFWProgress");
    for (int port = 1; port <= kTaggedPortCount; ++port) {
        inputTags_[port - 1] =
            control<QLineEdit>(qPrintable(QStringLiteral("leInput%1Tag").arg(port)));
        outputTags_[port - 1] =
            control<QLineEdit>(qPrintable(QStringLiteral("leOutput%1Tag").arg(port)));
    }

    // Only a change made by the operator runs a mode handler; loading sets the button quietly.
    connect(rbCOMMode_, &QRadioButton::toggled, this, [this](bool on) {
        if (on) rbCOMModeClick();
    });
    connect(rbLANMode_, &QRadioButton::toggled, this, [this](bool on) {
        if (on) rbLANModeClick();
    });
    connect(btnConnect_, &QPushButton::clicked, this, &TForm1::btnConnectClick);

    setFixedSize(kWindowWidth, sizeHint().height());
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

void TForm1::FormShow() {
    showSettingAndPortTagPages();
    RefreshSerialPorts();
    LoadSettings();
    showConnectionState();
    tmr_.start();
    deviceStatus_->status().ResetDeviceStatus();
    SaveSettings();
}

bool TForm1::linkBusy() const {
    return !flags_.idle() ||
           (link_ && (link_->IsSearching() || link_->IsConnecting() || link_->IsConfiguring()));
}

bool TForm1::PageChangeAllowed() const {
    return !PowerOn() || !linkBusy();
}

void TForm1::tmrTimer() {
    RefreshSerialPorts();
    const QDateTime now = dateTime_.now();
    ShowStatus(4, QString::number(now.date().year()) + now.toString(QStringLiteral("-MM-dd HH:mm")),
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
    SaveSettings();
    // A command may still be unwinding inside the link's wait: free it once that has returned.
    if (link_) link_->deleteLater();
}

}  // namespace ui

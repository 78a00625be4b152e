#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <span>

#include "ui/dialogs/PreSettingEdit.h"
#include "ui/dialogs/ShowInOutInfo.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/mainwindow/PageControl.h"
#include "ui/mainwindow/SwitcherFollowing.h"
#include "ui/pages/advanced/AdvancedPage.h"
#include "ui/pages/edid/EdidPage.h"
#include "ui/pages/fwupgrade/FwUpgradePage.h"
#include "ui/pages/general/GeneralPage.h"
#include "ui/pages/porttag/PortTagBinding.h"
#include "ui/pages/porttag/PortTagPage.h"
#include "ui/pages/setting/SettingPage.h"
#include "ui/pages/setting/SettingPageBinding.h"
#include "ui/presenters/advanced/PanelOptionsPresenter.h"
#include "ui/presenters/edid/EdidPresenter.h"
#include "ui/presenters/fwupgrade/FwUpgradePresenter.h"
#include "ui/presenters/general/DeviceStatusPresenter.h"
#include "widgets/VKGauge.h"

namespace ui {

// The tabs in their order, each built by one function that makes its page and wires it to its
// presenter. The first, showing at start, is built with the window; the others once it has
// painted (afterFirstPaint), or when first shown if that comes sooner.
void TForm1::addTabs() {
    struct Row {
        const char* title;
        QWidget* (TForm1::*build)();
    };
    static constexpr Row kTabs[] = {
        {"General", &TForm1::buildGeneralTab},   {"Port Tag", &TForm1::buildPortTagTab},
        {"Setting", &TForm1::buildSettingTab},   {"EDID control", &TForm1::buildEdidTab},
        {"Advanced", &TForm1::buildAdvancedTab}, {"FW upgrade", &TForm1::buildFwUpgradeTab},
    };
    pcContainer_->addPage((this->*kTabs[0].build)(), QString::fromLatin1(kTabs[0].title));
    for (const Row& row : std::span(kTabs).subspan(1)) {
        pcContainer_->addLaterPage([this, build = row.build] { return (this->*build)(); },
                                   QString::fromLatin1(row.title));
    }
}

QWidget* TForm1::buildGeneralTab() {
    general_ = new GeneralPage(dialogs_);
    connect(general_, &GeneralPage::statusShown, this, &TForm1::ShowStatus);
    deviceStatus_ = std::make_unique<DeviceStatusPresenter>(*runner_, clock_, *general_);
    connect(general_->btnGetDevStatus, &QPushButton::clicked, this,
            [this] { deviceStatus_->RefreshDeviceStatus(); });
    connect(general_->bbPower, &QPushButton::clicked, this,
            [this] { deviceStatus_->bbPowerClick(); });
    // Only a change made by the operator runs a mode handler; loading sets the button quietly.
    connect(general_->rbCOMMode, &QRadioButton::toggled, this, [this](bool on) {
        if (on) rbCOMModeClick();
    });
    connect(general_->rbLANMode, &QRadioButton::toggled, this, [this](bool on) {
        if (on) rbLANModeClick();
    });
    connect(general_->btnConnect, &QPushButton::clicked, this, &TForm1::btnConnectClick);
    return general_;
}

// The dialogs are created after this window (ProgramWindows), so they are looked up when used.
TfrmPreSettingEdit& TForm1::preSettingDialog() {
    return *findChild<TfrmPreSettingEdit*>(QStringLiteral("TfrmPreSettingEdit"));
}

TfrmShowInOutInfo& TForm1::inOutInfoPopup() {
    return *findChild<TfrmShowInOutInfo*>(QStringLiteral("TfrmShowInOutInfo"));
}

bool TForm1::displayTags() const {
    return general_->cbDisplayTag->isChecked();
}

QWidget* TForm1::buildPortTagTab() {
    portTag_ = new PortTagPage;
    portTagPage_ = std::make_unique<PortTagBinding>(*portTag_, dialogs_, tabWindow());
    portTagPage_->loadHistories(storedSettings_);
    return portTag_;
}

QWidget* TForm1::buildSettingTab() {
    setting_ = new SettingPage;
    settingPage_ = std::make_unique<SettingPageBinding>(*pcContainer_, *setting_, *runner_,
                                                        commandHost(), tabWindow());
    connect(settingPage_.get(), &SettingPageBinding::presetsEdited, this, &TForm1::SaveSettings);
    connect(following_.get(), &SwitcherFollowing::routeFollowed, this,
            [this](int output, int input, bool elsewhere) {
                settingPage_->routing().FollowRoute(output, input, elsewhere);
            });
    settingPage_->loadPresets(storedSettings_);
    if (shownOnce_) settingPage_->windowShown();
    return setting_;
}

// Built after the device status, whose presenter answers the output link queries.
QWidget* TForm1::buildEdidTab() {
    edid_ = new EdidPage;
    connect(edid_, &EdidPage::statusShown, this, &TForm1::ShowStatus);
    edidPresenter_ =
        std::make_unique<EdidPresenter>(*runner_, *link_, flags_, *deviceStatus_, *edid_, dialogs_);
    edidPresenter_->FillEdidModeList();
    edidPresenter_->RebuildEdidLists(portTags());
    edidPresenter_->LoadEdidIntoGrid();
    edidPresenter_->LoadEdidChoices(storedSettings_.edid);
    const std::pair<QPushButton*, void (EdidPresenter::*)()> clicks[] = {
        {edid_->btnSetEDIDMode, &EdidPresenter::btnSetEDIDModeClick},
        {edid_->btnCopyEDID, &EdidPresenter::btnCopyEDIDClick},
        {edid_->btnReadEDIDData, &EdidPresenter::btnReadEDIDDataClick},
        {edid_->btnDownloadEDID, &EdidPresenter::btnDownloadEDIDClick},
        {edid_->btnSaveEDID, &EdidPresenter::btnSaveEDIDClick},
        {edid_->BitBtn1, &EdidPresenter::BitBtn1Click},
        {edid_->btnClearEDIDContent, &EdidPresenter::btnClearEDIDContentClick},
    };
    for (const auto& [button, handler] : clicks) {
        connect(button, &QPushButton::clicked, this,
                [this, handler] { (edidPresenter_.get()->*handler)(); });
    }
    // A tag edited on the "Port Tag" tab shows in the lists as soon as this tab comes up.
    connect(pcContainer_, &TPageControl::pageShown, this, [this](const QWidget* page) {
        if (page == edid_) edidPresenter_->RebuildEdidLists(portTags());
    });
    return edid_;
}

QWidget* TForm1::buildAdvancedTab() {
    advanced_ = new AdvancedPage;
    connect(advanced_, &AdvancedPage::statusShown, this, &TForm1::ShowStatus);
    panelOptions_ = std::make_unique<PanelOptionsPresenter>(*runner_, flags_, *advanced_,
                                                            [this] { return PowerOn(); });
    deviceStatus_->alsoReadOptionsWith(*panelOptions_);
    advanced_->connectClicks(*panelOptions_);
    connect(pcContainer_, &TPageControl::pageShown, this, [this](const QWidget* page) {
        if (page == advanced_) panelOptions_->tsIRShow();
    });
    connect(advanced_->btnQueryTCPModInfo, &QPushButton::clicked, this,
            &TForm1::btnQueryTCPModInfoClick);
    connect(advanced_->btnReset, &QPushButton::clicked, this, &TForm1::btnResetClick);
    advanced_->setModuleControlsEnabled(comMode());
    return advanced_;
}

QWidget* TForm1::buildFwUpgradeTab() {
    fwUpgrade_ = new FwUpgradePage;
    connect(fwUpgrade_, &FwUpgradePage::statusShown, this, &TForm1::ShowStatus);
    fwUpgradePresenter_ =
        std::make_unique<FwUpgradePresenter>(*link_, flags_, *runner_, *fwUpgrade_, dialogs_);
    fwUpgrade_->tsgFWProgress->setErrorReporter(
        [this](const QString& message) { dialogs_.error(message); });
    connect(fwUpgrade_->btnOpenFW, &QPushButton::clicked, this,
            [this] { fwUpgradePresenter_->btnOpenFWClick(); });
    connect(fwUpgrade_->btnUpgrade, &QPushButton::clicked, this,
            [this] { fwUpgradePresenter_->btnUpgradeClick(); });
    connect(fwUpgrade_->edtFWFile, &QLineEdit::editingFinished, this,
            [this] { fwUpgradePresenter_->ShowFileSummary(); });
    return fwUpgrade_;
}

void TForm1::bindFollowing() {
    following_ = std::make_unique<SwitcherFollowing>(
        *link_, flags_, clock_, *runner_, SwitcherFollowing::Pages{*deviceStatus_, *general_},
        this);
    connect(following_.get(), &SwitcherFollowing::lineBack, this, &TForm1::showLinkState);
    connect(following_.get(), &SwitcherFollowing::reconnecting, this, &TForm1::showLinkState);
    connect(general_->cbFollowSwitcher, &QCheckBox::toggled, following_.get(),
            &SwitcherFollowing::setTicked);
}

bool TForm1::PowerOn() const {
    return deviceStatus_->PowerOn();
}

DeviceStatusPresenter& TForm1::DeviceStatus() {
    return *deviceStatus_;
}

bool TForm1::RouteFailed() const {
    return settingPage_->routing().routeFailed();
}

}  // namespace ui

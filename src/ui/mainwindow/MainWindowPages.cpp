#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

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
#include "ui/pages/setting/SettingPageBinding.h"
#include "ui/presenters/advanced/PanelOptionsPresenter.h"
#include "ui/presenters/edid/EdidPresenter.h"
#include "ui/presenters/fwupgrade/FwUpgradePresenter.h"
#include "ui/presenters/general/DeviceStatusPresenter.h"
#include "widgets/VKGauge.h"

namespace ui {

void TForm1::bindPages(devlink::LinkClock& clock) {
    // Every page reports its status texts through the window's one writer.
    connect(general_, &GeneralPage::statusShown, this, &TForm1::ShowStatus);
    connect(advanced_, &AdvancedPage::statusShown, this, &TForm1::ShowStatus);
    connect(edid_, &EdidPage::statusShown, this, &TForm1::ShowStatus);
    connect(fwUpgrade_, &FwUpgradePage::statusShown, this, &TForm1::ShowStatus);
    bindDeviceStatus(clock);
    bindSettingAndPortTagPages();
    bindEdidPage();
    bindFwUpgradePage();
    bindLanDevices();
    bindFollowing(clock);
}

void TForm1::bindFollowing(devlink::LinkClock& clock) {
    following_ = std::make_unique<SwitcherFollowing>(
        *link_, flags_, clock, *runner_,
        SwitcherFollowing::Pages{settingPage_->routing(), *deviceStatus_, *general_}, this);
    connect(following_.get(), &SwitcherFollowing::lineBack, this, &TForm1::showLinkState);
    connect(following_.get(), &SwitcherFollowing::reconnecting, this, &TForm1::showLinkState);
    connect(general_->cbFollowSwitcher, &QCheckBox::toggled, following_.get(),
            &SwitcherFollowing::setTicked);
}

void TForm1::bindFwUpgradePage() {
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
}

void TForm1::bindDeviceStatus(devlink::LinkClock& clock) {
    panelOptions_ = std::make_unique<PanelOptionsPresenter>(*runner_, flags_, *advanced_,
                                                            [this] { return PowerOn(); });
    deviceStatus_ =
        std::make_unique<DeviceStatusPresenter>(*runner_, clock, *general_, *panelOptions_);
    advanced_->connectClicks(*panelOptions_);
    connect(general_->btnGetDevStatus, &QPushButton::clicked, this,
            [this] { deviceStatus_->RefreshDeviceStatus(); });
    connect(general_->bbPower, &QPushButton::clicked, this,
            [this] { deviceStatus_->bbPowerClick(); });
    connect(pcContainer_, &TPageControl::pageChanged, this, [this](int index) {
        if (pcContainer_->widget(index) == advanced_) panelOptions_->tsIRShow();
    });
}

bool TForm1::PowerOn() const {
    return deviceStatus_->PowerOn();
}

DeviceStatusPresenter& TForm1::DeviceStatus() {
    return *deviceStatus_;
}

// Bound after the device status, whose presenter answers the output link queries.
void TForm1::bindEdidPage() {
    edidPresenter_ =
        std::make_unique<EdidPresenter>(*runner_, *link_, flags_, *deviceStatus_, *edid_, dialogs_);
    edidPresenter_->FillEdidModeList();
    edidPresenter_->RebuildEdidLists(portTags());
    edidPresenter_->LoadEdidIntoGrid();
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
    connect(pcContainer_, &TPageControl::pageChanged, this, [this](int index) {
        if (pcContainer_->widget(index) == edid_) edidPresenter_->RebuildEdidLists(portTags());
    });
}

// The dialogs are created after this window (ProgramWindows), so they are looked up when used.
void TForm1::bindSettingAndPortTagPages() {
    const auto editDialog = [this]() -> TfrmPreSettingEdit& {
        return *findChild<TfrmPreSettingEdit*>(QStringLiteral("TfrmPreSettingEdit"));
    };
    settingPage_ = std::make_unique<SettingPageBinding>(
        *pcContainer_, *setting_,
        SettingPageBinding::Services{
            *runner_, commandHooks(), [this] { return portTags(); },
            [this] { return general_->cbDisplayTag->isChecked(); }, editDialog,
            [this]() -> TfrmShowInOutInfo& {
                return *findChild<TfrmShowInOutInfo*>(QStringLiteral("TfrmShowInOutInfo"));
            }});
    connect(settingPage_.get(), &SettingPageBinding::presetsEdited, this, &TForm1::SaveSettings);
    portTagPage_ = std::make_unique<PortTagBinding>(
        *portTag_, PortTagBinding::Services{
                       dialogs_, [this] { SavePortTags(link_->ControlMode(), currentDeviceMAC_); },
                       editDialog});
}

bool TForm1::RouteFailed() const {
    return settingPage_->routing().routeFailed();
}

}  // namespace ui

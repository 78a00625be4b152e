#include "ui/dialogs/EditLAN.h"
#include "ui/dialogs/EnterYes.h"
#include "ui/dialogs/PreSettingEdit.h"
#include "ui/dialogs/SearchWizard.h"
#include "ui/dialogs/ShowInOutInfo.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/mainwindow/PageControl.h"
#include "ui/mainwindow/SwitcherFollowing.h"
#include "ui/pages/advanced/AdvancedTab.h"
#include "ui/pages/edid/EdidTab.h"
#include "ui/pages/fwupgrade/FwUpgradeTab.h"
#include "ui/pages/general/GeneralPage.h"
#include "ui/pages/porttag/PortTagTab.h"
#include "ui/pages/setting/SettingTab.h"
#include "ui/presenters/general/DeviceStatusPresenter.h"

namespace ui {

namespace {

template <class T>
std::unique_ptr<Tab> make(const TabParts& parts) {
    return std::make_unique<T>(parts);
}

}  // namespace

// General, showing at start, is built with the window: its connection logic is the window's
// own. The tabs of the table get their pages once it has painted (afterFirstPaint), or when
// first shown if that comes sooner; each is one class that makes its page and wires it to its
// presenter.
void TForm1::addTabs() {
    struct Row {
        const char* title;
        std::unique_ptr<Tab> (*make)(const TabParts&);
    };
    static constexpr Row kTabs[] = {
        {"Port Tag", &make<PortTagTab>},     {"Setting", &make<SettingTab>},
        {"EDID control", &make<EdidTab>},    {"Advanced", &make<AdvancedTab>},
        {"FW upgrade", &make<FwUpgradeTab>},
    };
    pcContainer_->addPage(buildGeneralTab(), QStringLiteral("General"));
    for (const Row& row : kTabs) {
        pcContainer_->addLaterPage(
            [this, make = row.make] {
                return adoptTab(make({*link_, flags_, *runner_, commandHost(), tabWindow(),
                                      dialogs_, *deviceStatus_}));
            },
            QString::fromLatin1(row.title));
    }
    connect(pcContainer_, &TPageControl::pageShown, this, [this](const QWidget* page) {
        tellTabs([page](Tab& tab) {
            if (tab.page() == page) tab.pageShown();
        });
    });
}

QWidget* TForm1::adoptTab(std::unique_ptr<Tab> tab) {
    tab->setParent(this);
    connect(tab.get(), &Tab::settingsEdited, this, &TForm1::SaveSettings);
    tab->loadSettings(storedSettings_);
    tab->portTagsChanged(portTags_);
    tab->serialControlChanged(serialControl_);
    if (shownOnce_) tab->windowShown();
    QWidget* page = tab->page();
    tabs_.push_back(std::move(tab));
    return page;
}

QWidget* TForm1::buildGeneralTab() {
    general_ = new GeneralPage(dialogs_);
    connect(general_, &GeneralPage::statusShown, this, &TForm1::ShowStatus);
    deviceStatus_ = std::make_unique<DeviceStatusPresenter>(*runner_, clock_, *general_);
    connect(general_, &GeneralPage::deviceStatusRequested, this,
            [this] { deviceStatus_->RefreshDeviceStatus(); });
    connect(general_, &GeneralPage::powerRequested, this,
            [this] { deviceStatus_->bbPowerClick(); });
    return general_;
}

// The dialogs are created after this window (ProgramWindows), so they are looked up when used.
TfrmPreSettingEdit& TForm1::preSettingDialog() {
    return *findChild<TfrmPreSettingEdit*>(QStringLiteral("TfrmPreSettingEdit"));
}

TfrmShowInOutInfo& TForm1::inOutInfoPopup() {
    return *findChild<TfrmShowInOutInfo*>(QStringLiteral("TfrmShowInOutInfo"));
}

TfrmEnterYes& TForm1::resetConfirmation() {
    return *findChild<TfrmEnterYes*>(QStringLiteral("TfrmEnterYes"));
}

TfrmSearch& TForm1::searchWizard() {
    return *findChild<TfrmSearch*>(QStringLiteral("TfrmSearch"));
}

TfrmEditLAN& TForm1::lanDialog() {
    return *findChild<TfrmEditLAN*>(QStringLiteral("TfrmEditLAN"));
}

bool TForm1::generalShowing() const {
    return pcContainer_->currentWidget() == general_;
}

bool TForm1::displayTags() const {
    return general_->displayTags();
}

void TForm1::bindFollowing() {
    following_ = std::make_unique<SwitcherFollowing>(
        *link_, flags_, clock_, *runner_, SwitcherFollowing::Pages{*deviceStatus_, *general_},
        this);
    connection_ = std::make_unique<ConnectionControl>(ConnectionControl::Parts{
        *general_, *link_, flags_, *runner_, *following_, serialPorts_, sleeper_, dialogs_, *this});
    connection_->setParent(this);
    connect(following_.get(), &SwitcherFollowing::lineBack, connection_.get(),
            &ConnectionControl::showLinkState);
    connect(following_.get(), &SwitcherFollowing::reconnecting, connection_.get(),
            &ConnectionControl::showLinkState);
    connect(following_.get(), &SwitcherFollowing::routeFollowed, this,
            [this](int output, int input, bool elsewhere) {
                tellTabs([&](Tab& tab) { tab.routeFollowed(output, input, elsewhere); });
            });
    connect(general_, &GeneralPage::followToggled, following_.get(), &SwitcherFollowing::setTicked);
}

bool TForm1::PowerOn() const {
    return deviceStatus_->PowerOn();
}

DeviceStatusPresenter& TForm1::DeviceStatus() {
    return *deviceStatus_;
}

}  // namespace ui

#include "ui/pages/advanced/AdvancedTab.h"

#include "ui/dialogs/EnterYes.h"
#include "ui/pages/TabWindow.h"
#include "ui/pages/advanced/AdvancedPage.h"
#include "ui/presenters/general/DeviceStatusPresenter.h"

namespace ui {

AdvancedTab::AdvancedTab(const TabParts& parts)
    : page_(new AdvancedPage),
      window_(parts.window),
      panelOptions_(parts.runner, parts.guard, *page_, parts.host),
      module_(parts.runner, parts.link, parts.guard, *this) {
    forwardStatus(page_, parts.host);
    parts.deviceStatus.alsoReadOptionsWith(panelOptions_);
    page_->connectClicks(panelOptions_);
    connect(page_, &AdvancedPage::moduleQueryRequested, this,
            [this] { module_.btnQueryTCPModInfoClick(); });
    connect(page_, &AdvancedPage::moduleResetRequested, this, [this] { module_.btnResetClick(); });
}

QWidget* AdvancedTab::page() {
    return page_;
}

void AdvancedTab::serialControlChanged(bool on) {
    page_->setModuleControlsEnabled(on);
}

void AdvancedTab::showModuleInfo(const QString& version, const QString& dhcp,
                                 const QString& address) {
    page_->showModuleInfo(version, dhcp, address);
}

void AdvancedTab::setQueryEnabled(bool enabled) {
    page_->setModuleQueryEnabled(enabled);
}

bool AdvancedTab::confirmReset() {
    return window_.resetConfirmation().confirm();
}

void AdvancedTab::showStatus(devlink::StatusPanel panel, const QString& text, bool alert) {
    page_->showStatus(panel, text, alert);
}

}  // namespace ui

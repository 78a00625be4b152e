#include "ui/pages/fwupgrade/FwUpgradeTab.h"

#include "ui/pages/fwupgrade/FwUpgradePage.h"

namespace ui {

FwUpgradeTab::FwUpgradeTab(const TabParts& parts)
    : page_(new FwUpgradePage),
      presenter_(parts.link, parts.guard, parts.runner, *page_, parts.dialogs) {
    forwardStatus(page_, parts.host);
    page_->reportProgressErrorsTo(parts.dialogs);
    connect(page_, &FwUpgradePage::openRequested, this, [this] { presenter_.btnOpenFWClick(); });
    connect(page_, &FwUpgradePage::upgradeRequested, this,
            [this] { presenter_.btnUpgradeClick(); });
    connect(page_, &FwUpgradePage::pathEdited, this, [this] { presenter_.ShowFileSummary(); });
}

QWidget* FwUpgradeTab::page() {
    return page_;
}

void FwUpgradeTab::linkNotified(const devlink::LinkNotification& n) {
    switch (n.message) {
        case devlink::WM_LINK_PARTREFUSED:
        case devlink::WM_LINK_PROGRESS:
        case devlink::WM_LINK_STATUS:
            presenter_.notified(n);
            break;
        default:
            break;
    }
}

}  // namespace ui

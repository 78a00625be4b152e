#pragma once

#include "ui/pages/Tab.h"
#include "ui/presenters/fwupgrade/FwUpgradePresenter.h"

namespace ui {

class FwUpgradePage;

// The "FW upgrade" tab: a merged firmware file, its parts and the upgrade's progress.
class FwUpgradeTab final : public Tab {
    Q_OBJECT

public:
    explicit FwUpgradeTab(const TabParts& parts);

    QWidget* page() override;
    // The parts sent, refused parts and the reboot wait.
    void linkNotified(const devlink::LinkNotification& n) override;

private:
    FwUpgradePage* page_;  // owned by the page control
    FwUpgradePresenter presenter_;
};

}  // namespace ui

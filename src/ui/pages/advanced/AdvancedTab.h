#pragma once

#include "ui/pages/Tab.h"
#include "ui/presenters/advanced/ModulePresenter.h"
#include "ui/presenters/advanced/ModuleView.h"
#include "ui/presenters/advanced/PanelOptionsPresenter.h"

namespace ui {

class AdvancedPage;

// The "Advanced" tab: the front-panel options, and the Ethernet module's information and reset.
class AdvancedTab final : public Tab, private ModuleView {
    Q_OBJECT

public:
    explicit AdvancedTab(const TabParts& parts);

    QWidget* page() override;
    void pageShown() override { panelOptions_.tsIRShow(); }
    void serialControlChanged(bool on) override;

private:
    void showModuleInfo(const QString& version, const QString& dhcp,
                        const QString& address) override;
    void setQueryEnabled(bool enabled) override;
    bool confirmReset() override;
    void showStatus(devlink::StatusPanel panel, const QString& text, bool alert) override;

    AdvancedPage* page_;  // owned by the page control
    TabWindow& window_;
    PanelOptionsPresenter panelOptions_;
    ModulePresenter module_;
};

}  // namespace ui

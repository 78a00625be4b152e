#pragma once

#include "settings/SettingsData.h"
#include "ui/pages/Tab.h"
#include "ui/pages/setting/PresetList.h"
#include "ui/pages/setting/RoutingPanel.h"
#include "ui/pages/setting/SettingPage.h"
#include "ui/presenters/setting/PresetPresenter.h"
#include "ui/presenters/setting/RoutingPresenter.h"

namespace ui {

// The "Setting" tab: the routing view and the pre-settings, bound to their presenters.
class SettingTab final : public Tab {
    Q_OBJECT

public:
    explicit SettingTab(const TabParts& parts);

    const RoutingPresenter& routing() const { return routing_; }

    QWidget* page() override { return &page_; }
    // The pre-settings.
    void loadSettings(const config::SettingsData& settings) override;
    void storeSettings(config::SettingsData& settings) const override;
    void windowShown() override;
    void pageShown() override { presets_.tsSettingShow(); }
    void routeFollowed(int output, int input, bool elsewhere) override {
        routing_.FollowRoute(output, input, elsewhere);
    }

private:
    void btnPreEditClick();

    TabWindow& window_;
    SettingPage& page_;  // owned by the page control
    RoutingPresenter routing_;
    PresetPresenter presets_;
};

}  // namespace ui

#pragma once

#include "ui/pages/Tab.h"
#include "ui/pages/TabWindow.h"
#include "ui/presenters/edid/EdidPresenter.h"

namespace ui {

class EdidPage;

// The "EDID control" tab: EDID modes, copies, reads, downloads and files.
class EdidTab final : public Tab {
    Q_OBJECT

public:
    explicit EdidTab(const TabParts& parts);

    QWidget* page() override;
    // The port lists' choices and the two file paths.
    void loadSettings(const config::SettingsData& settings) override;
    void storeSettings(config::SettingsData& settings) const override;
    // A tag edited on the "Port Tag" tab shows in the lists as soon as this tab comes up.
    void pageShown() override { presenter_.RebuildEdidLists(window_.portTags()); }

private:
    EdidPage* page_;  // owned by the page control
    TabWindow& window_;
    EdidPresenter presenter_;
};

}  // namespace ui

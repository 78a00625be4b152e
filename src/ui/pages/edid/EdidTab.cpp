#include "ui/pages/edid/EdidTab.h"

#include <QPushButton>

#include "ui/pages/edid/EdidPage.h"

namespace ui {

EdidTab::EdidTab(const TabParts& parts)
    : page_(new EdidPage),
      window_(parts.window),
      presenter_(parts.runner, parts.link, parts.guard, parts.deviceStatus, *page_, parts.dialogs) {
    forwardStatus(page_, parts.host);
    presenter_.FillEdidModeList();
    presenter_.LoadEdidIntoGrid();
    const std::pair<QPushButton*, void (EdidPresenter::*)()> clicks[] = {
        {page_->btnSetEDIDMode, &EdidPresenter::btnSetEDIDModeClick},
        {page_->btnCopyEDID, &EdidPresenter::btnCopyEDIDClick},
        {page_->btnReadEDIDData, &EdidPresenter::btnReadEDIDDataClick},
        {page_->btnDownloadEDID, &EdidPresenter::btnDownloadEDIDClick},
        {page_->btnSaveEDID, &EdidPresenter::btnSaveEDIDClick},
        {page_->BitBtn1, &EdidPresenter::BitBtn1Click},
        {page_->btnClearEDIDContent, &EdidPresenter::btnClearEDIDContentClick},
    };
    for (const auto& [button, handler] : clicks) {
        connect(button, &QPushButton::clicked, this, [this, handler] { (presenter_.*handler)(); });
    }
}

QWidget* EdidTab::page() {
    return page_;
}

void EdidTab::loadSettings(const config::SettingsData& settings) {
    presenter_.RebuildEdidLists(window_.portTags());
    presenter_.LoadEdidChoices(settings.edid);
}

void EdidTab::storeSettings(config::SettingsData& settings) const {
    settings.edid = presenter_.SaveEdidChoices();
}

}  // namespace ui

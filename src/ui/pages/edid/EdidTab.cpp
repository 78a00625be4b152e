#include "ui/pages/edid/EdidTab.h"

#include "ui/pages/edid/EdidPage.h"

namespace ui {

EdidTab::EdidTab(const TabParts& parts)
    : page_(new EdidPage),
      window_(parts.window),
      presenter_(parts.runner, parts.link, parts.guard, parts.deviceStatus, *page_, parts.dialogs) {
    forwardStatus(page_, parts.host);
    presenter_.FillEdidModeList();
    presenter_.LoadEdidIntoGrid();
    const std::pair<void (EdidPage::*)(), void (EdidPresenter::*)()> requests[] = {
        {&EdidPage::setModeRequested, &EdidPresenter::btnSetEDIDModeClick},
        {&EdidPage::copyRequested, &EdidPresenter::btnCopyEDIDClick},
        {&EdidPage::readRequested, &EdidPresenter::btnReadEDIDDataClick},
        {&EdidPage::downloadRequested, &EdidPresenter::btnDownloadEDIDClick},
        {&EdidPage::saveRequested, &EdidPresenter::btnSaveEDIDClick},
        {&EdidPage::openRequested, &EdidPresenter::BitBtn1Click},
        {&EdidPage::clearRequested, &EdidPresenter::btnClearEDIDContentClick},
    };
    for (const auto& [request, handler] : requests) {
        connect(page_, request, this, [this, handler] { (presenter_.*handler)(); });
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

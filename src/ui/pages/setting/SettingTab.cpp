#include "ui/pages/setting/SettingTab.h"

#include "ui/dialogs/PreSettingEdit.h"

namespace ui {

SettingTab::SettingTab(const TabParts& parts)
    : window_(parts.window),
      page_(*new SettingPage(parts.window)),
      routing_(parts.runner, page_.routingPanel()),
      presets_(routing_, page_.presetList(), parts.host) {
    connect(&page_, &SettingPage::routeButtonClicked, this, [this](int output, int tag) {
        if (output == 0) {
            routing_.sbPreviousClick(tag);
        } else {
            routing_.sbSetInputClick(output, tag);
        }
    });
    connect(&page_, &SettingPage::routeButtonHovered, this, [this](int output, int tag) {
        routing_.sbSetInputMouseMove(output, tag, window_.portTags(), window_.displayTags());
    });
    connect(&page_, &SettingPage::routeButtonsLeft, this, [this] { routing_.mouseLeftButtons(); });
    connect(&page_, &SettingPage::routeMenuOpened, this, [this] { routing_.popupMenuOpened(); });
    connect(&page_, &SettingPage::routeMenuChosen, this,
            [this](int tag) { routing_.mnuAllOutputsClick(tag); });
    connect(&page_, &SettingPage::presetSelected, this,
            [this](int row) { presets_.setSelectedRow(row); });
    connect(&page_, &SettingPage::presetEditRequested, this, &SettingTab::btnPreEditClick);
    connect(&page_, &SettingPage::presetSetRequested, this, [this] { presets_.btnSetClick(); });
}

void SettingTab::windowShown() {
    page_.windowShown();
}

void SettingTab::loadSettings(const config::SettingsData& settings) {
    presets_.load(settings.presetNames, settings.presetValues);
}

void SettingTab::storeSettings(config::SettingsData& settings) const {
    const PresetPresenter::Rows& rows = presets_.rows();
    for (int row = 0; row < config::kPresetCount; ++row) {
        settings.presetNames[row] = rows[row].name;
        settings.presetValues[row] = rows[row].cells;
    }
}

void SettingTab::btnPreEditClick() {
    const auto edit = presets_.btnPreEditClick(window_.portTags());
    if (!edit) return;
    TfrmPreSettingEdit& dialog = window_.preSettingDialog();
    dialog.arrangeOutputSetting(*edit);
    if (dialog.exec() != QDialog::Accepted) return;
    presets_.editAccepted(dialog.outputSetting());
    // Written at once, so a crash cannot lose it.
    emit settingsEdited();
}

}  // namespace ui

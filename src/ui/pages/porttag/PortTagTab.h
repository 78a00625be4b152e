#pragma once

#include <array>

#include "settings/SettingsData.h"
#include "ui/pages/Tab.h"
#include "ui/pages/TabWindow.h"
#include "ui/pages/porttag/PortTagPage.h"
#include "ui/presenters/porttag/PortTagEditor.h"

class QWidget;

namespace ui {

class Dialogs;
class TfrmPreSettingEdit;

// The "Port Tag" tab: the tag fields, their editor and the editor's name histories.
class PortTagTab final : public Tab {
    Q_OBJECT

public:
    explicit PortTagTab(const TabParts& parts);

    QWidget* page() override { return page_; }
    // The tag editor's name histories.
    void loadSettings(const config::SettingsData& settings) override;
    void storeSettings(config::SettingsData& settings) const override;
    void portTagsChanged(const config::PortTags& tags) override { page_->showTags(tags); }

    void btnEditInputPortTagClick();
    void btnEditOutputPortTagClick();

private:
    void editTags(PortTagEditor& editor);
    void deleteTag(PortTagEditor::Kind kind, int port);
    PortTagEditor& editorOf(PortTagEditor::Kind kind);
    TfrmPreSettingEdit& dialog();

    PortTagPage* page_;
    Dialogs& dialogs_;
    TabWindow& window_;
    PortTagEditor inputNames_{PortTagEditor::Kind::Inputs};
    PortTagEditor outputNames_{PortTagEditor::Kind::Outputs};
    bool dialogBound_ = false;
};

}  // namespace ui

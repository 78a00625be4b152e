#pragma once

#include <QObject>
#include <array>

#include "settings/SettingsData.h"
#include "ui/pages/TabWindow.h"
#include "ui/pages/porttag/PortTagPage.h"
#include "ui/presenters/porttag/PortTagEditor.h"

class QLineEdit;
class QWidget;

namespace ui {

class Dialogs;
class TfrmPreSettingEdit;

// The "Port Tag" tab: the tag fields, their editor and the editor's name histories.
class PortTagBinding final : public QObject {
    Q_OBJECT

public:
    PortTagBinding(PortTagPage& page, Dialogs& dialogs, TabWindow& window);

    void showTags(const config::PortTags& tags);
    void loadHistories(const config::SettingsData& settings);
    void storeHistories(config::SettingsData& settings) const;

    void btnEditInputPortTagClick();
    void btnEditOutputPortTagClick();

private:
    using Fields = PortTagPage::Fields;

    void editTags(PortTagEditor& editor);
    void deleteTag(PortTagEditor::Kind kind, int port);
    PortTagEditor& editorOf(PortTagEditor::Kind kind);
    TfrmPreSettingEdit& dialog();

    Dialogs& dialogs_;
    TabWindow& window_;
    const Fields& inputFields_;
    const Fields& outputFields_;
    PortTagEditor inputNames_{PortTagEditor::Kind::Inputs};
    PortTagEditor outputNames_{PortTagEditor::Kind::Outputs};
    bool dialogBound_ = false;
};

}  // namespace ui

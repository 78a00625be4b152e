#include "ui/pages/porttag/PortTagTab.h"

#include "ui/dialogs/PreSettingEdit.h"
#include "ui/presenters/Dialogs.h"

namespace ui {

PortTagTab::PortTagTab(const TabParts& parts)
    : page_(new PortTagPage), dialogs_(parts.dialogs), window_(parts.window) {
    connect(page_, &PortTagPage::editInputsRequested, this, &PortTagTab::btnEditInputPortTagClick);
    connect(page_, &PortTagPage::editOutputsRequested, this,
            &PortTagTab::btnEditOutputPortTagClick);
}

void PortTagTab::loadSettings(const config::SettingsData& settings) {
    inputNames_.setHistory(settings.inDeviceNames);
    outputNames_.setHistory(settings.outDisplayNames);
}

void PortTagTab::storeSettings(config::SettingsData& settings) const {
    settings.inDeviceNames = inputNames_.history();
    settings.outDisplayNames = outputNames_.history();
}

void PortTagTab::btnEditInputPortTagClick() {
    editTags(inputNames_);
}

void PortTagTab::btnEditOutputPortTagClick() {
    editTags(outputNames_);
}

PortTagEditor& PortTagTab::editorOf(PortTagEditor::Kind kind) {
    return kind == PortTagEditor::Kind::Inputs ? inputNames_ : outputNames_;
}

// The dialog is created after the main window, so it is bound when first used.
TfrmPreSettingEdit& PortTagTab::dialog() {
    TfrmPreSettingEdit& edit = window_.preSettingDialog();
    if (!dialogBound_) {
        connect(&edit, &TfrmPreSettingEdit::deleteTagClicked, this, &PortTagTab::deleteTag);
        dialogBound_ = true;
    }
    return edit;
}

void PortTagTab::editTags(PortTagEditor& editor) {
    config::PortTags tags = window_.portTags();
    PortTagEditor::Boxes& boxes =
        editor.kind() == PortTagEditor::Kind::Inputs ? tags.inputs : tags.outputs;
    TfrmPreSettingEdit& edit = dialog();
    edit.arrangeTagForm(editor, boxes);
    if (edit.exec() != QDialog::Accepted) return;
    boxes = edit.tagTexts(editor.kind());
    editor.mergeNames(boxes);
    edit.setTagHistory(editor.kind(), editor.history());
    page_->showTags(tags);
    window_.portTagsEdited(tags);
}

void PortTagTab::deleteTag(PortTagEditor::Kind kind, int port) {
    TfrmPreSettingEdit& edit = dialog();
    PortTagEditor& editor = editorOf(kind);
    if (!editor.deleteName(edit.tagTexts(kind), port, dialogs_)) return;
    edit.setTagHistory(kind, editor.history());
    edit.clearTagBox(kind, port);
}

}  // namespace ui

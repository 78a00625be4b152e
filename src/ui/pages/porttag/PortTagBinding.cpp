#include "ui/pages/porttag/PortTagBinding.h"

#include <QLineEdit>
#include <QPushButton>

#include "ui/dialogs/PreSettingEdit.h"
#include "ui/presenters/Dialogs.h"

namespace ui {

PortTagBinding::PortTagBinding(PortTagPage& page, Dialogs& dialogs, TabWindow& window)
    : dialogs_(dialogs),
      window_(window),
      inputFields_(page.inputTags),
      outputFields_(page.outputTags) {
    connect(page.btnEditInputPortTag, &QPushButton::clicked, this,
            &PortTagBinding::btnEditInputPortTagClick);
    connect(page.btnEditOutputPortTag, &QPushButton::clicked, this,
            &PortTagBinding::btnEditOutputPortTagClick);
    showTags(window_.portTags());
}

void PortTagBinding::showTags(const config::PortTags& tags) {
    for (int port = 0; port < config::kTaggedPortCount; ++port) {
        inputFields_[port]->setText(tags.inputs[port]);
        outputFields_[port]->setText(tags.outputs[port]);
    }
}

void PortTagBinding::loadHistories(const config::SettingsData& settings) {
    inputNames_.setHistory(settings.inDeviceNames);
    outputNames_.setHistory(settings.outDisplayNames);
}

void PortTagBinding::storeHistories(config::SettingsData& settings) const {
    settings.inDeviceNames = inputNames_.history();
    settings.outDisplayNames = outputNames_.history();
}

void PortTagBinding::btnEditInputPortTagClick() {
    editTags(inputNames_);
}

void PortTagBinding::btnEditOutputPortTagClick() {
    editTags(outputNames_);
}

PortTagEditor& PortTagBinding::editorOf(PortTagEditor::Kind kind) {
    return kind == PortTagEditor::Kind::Inputs ? inputNames_ : outputNames_;
}

// The dialog is created after the main window, so it is bound when first used.
TfrmPreSettingEdit& PortTagBinding::dialog() {
    TfrmPreSettingEdit& edit = window_.preSettingDialog();
    if (!dialogBound_) {
        connect(&edit, &TfrmPreSettingEdit::deleteTagClicked, this, &PortTagBinding::deleteTag);
        dialogBound_ = true;
    }
    return edit;
}

void PortTagBinding::editTags(PortTagEditor& editor) {
    config::PortTags tags = window_.portTags();
    PortTagEditor::Boxes& boxes =
        editor.kind() == PortTagEditor::Kind::Inputs ? tags.inputs : tags.outputs;
    TfrmPreSettingEdit& edit = dialog();
    edit.arrangeTagForm(editor, boxes);
    if (edit.exec() != QDialog::Accepted) return;
    boxes = edit.tagTexts(editor.kind());
    editor.mergeNames(boxes);
    edit.setTagHistory(editor.kind(), editor.history());
    showTags(tags);
    window_.portTagsEdited(tags);
}

void PortTagBinding::deleteTag(PortTagEditor::Kind kind, int port) {
    TfrmPreSettingEdit& edit = dialog();
    PortTagEditor& editor = editorOf(kind);
    const PortTagEditor::Prompts prompts{
        [this](const QString& text) { dialogs_.information(text); },
        [this](const QString& text) { return dialogs_.question(text); }};
    if (!editor.deleteName(edit.tagTexts(kind), port, prompts)) return;
    edit.setTagHistory(kind, editor.history());
    edit.clearTagBox(kind, port);
}

}  // namespace ui

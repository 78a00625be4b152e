#include "ui/dialogs/PreSettingEdit.h"

#include <QComboBox>
#include <QCompleter>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/pages/FormParts.h"

namespace ui {

namespace {

constexpr int kShownPorts = OutputSettingEdit::kPortCount;
constexpr int kSourceTagBase = 80;
constexpr int kAllOutputsTag = 89;
constexpr int kNameListLines = 16;
constexpr QSize kButtonSize(120, 32);
constexpr QPoint kFormAt(8, 8);
constexpr int kFormBottomGap = 16;

void fill(QComboBox* list, const QStringList& entries) {
    list->clear();
    list->addItems(entries);
}

}  // namespace

TfrmPreSettingEdit::TfrmPreSettingEdit(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TfrmPreSettingEdit"));
    setWindowTitle(QStringLiteral("Pre-setting edit"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    gbOutputSetting_ = buildOutputSetting();
    gbInputPortTag_ = buildTagGroup(PortTagEditor(Kind::Inputs), "gbInputPortTag",
                                    QStringLiteral("Input port tags"), inputNames_);
    gbOutputPortTag_ = buildTagGroup(PortTagEditor(Kind::Outputs), "gbOutputPortTag",
                                     QStringLiteral("Output port tags"), outputNames_);
    btnOK_ = makeControl<QPushButton>(this, "btnOK", QStringLiteral("OK"));
    btnOK_->setDefault(true);
    btnCancel_ = makeControl<QPushButton>(this, "btnCancel", QStringLiteral("Cancel"));
    for (QPushButton* button : {btnOK_, btnCancel_}) button->resize(kButtonSize);
    connect(btnOK_, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel_, &QPushButton::clicked, this, &QDialog::reject);
}

QGroupBox* TfrmPreSettingEdit::buildOutputSetting() {
    auto* group = makeControl<QGroupBox>(this, "gbOutputSetting", QStringLiteral("Output setting"));
    auto* layout = new QGridLayout(group);
    leSettingName_ = makeControl<QLineEdit>(group, "leSettingName");
    layout->addWidget(new QLabel(QStringLiteral("Setting name"), group), 0, 0);
    layout->addWidget(leSettingName_, 0, 1);
    for (int output = 1; output <= kPorts; ++output) {
        auto* label = new QLabel(QStringLiteral("Output%1 from Input device").arg(output), group);
        label->setObjectName(QStringLiteral("lblOutput%1").arg(output));
        label->setProperty("Tag", kSourceTagBase + output);
        auto* list = new QComboBox(group);
        list->setObjectName(QStringLiteral("cbFromDeviceOfOutput%1").arg(output));
        list->setProperty("Tag", kSourceTagBase + output);
        layout->addWidget(label, output, 0);
        layout->addWidget(list, output, 1);
        label->setVisible(output <= kShownPorts);
        list->setVisible(output <= kShownPorts);
        outputLabels_[output - 1] = label;
        outputSources_[output - 1] = list;
    }
    cbFromDeviceOfAllOutput_ = makeControl<QComboBox>(group, "cbFromDeviceOfAllOutput");
    cbFromDeviceOfAllOutput_->setProperty("Tag", kAllOutputsTag);
    layout->addWidget(new QLabel(QStringLiteral("All Outputs from"), group), kPorts + 1, 0);
    layout->addWidget(cbFromDeviceOfAllOutput_, kPorts + 1, 1);
    layout->setColumnStretch(1, 1);
    connect(cbFromDeviceOfAllOutput_, &QComboBox::activated, this,
            &TfrmPreSettingEdit::cbFromDeviceOfAllOutputChange);
    return group;
}

QGroupBox* TfrmPreSettingEdit::buildTagGroup(const PortTagEditor& editor, const char* groupName,
                                             const QString& caption, TagBoxes& boxes) {
    const bool inputs = editor.kind() == Kind::Inputs;
    auto* group = makeControl<QGroupBox>(this, groupName, caption);
    auto* layout = new QGridLayout(group);
    for (int port = 1; port <= kPorts; ++port) {
        auto* label = new QLabel(editor.boxLabel(port), group);
        auto* box = new QComboBox(group);
        box->setObjectName(
            (inputs ? QStringLiteral("cbDevNameOfInput%1") : QStringLiteral("cbDispNameOfOutput%1"))
                .arg(port));
        box->setProperty("Tag", editor.boxTag(port));
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
        // Tags are kept as typed: a case-blind completer would swap in the history's spelling
        // when Enter is pressed.
        box->completer()->setCaseSensitivity(Qt::CaseSensitive);
        box->setMaxVisibleItems(kNameListLines);
        auto* remove = new QPushButton(QStringLiteral("×"), group);
        remove->setObjectName((inputs ? QStringLiteral("btnDeleteInput%1Tag")
                                      : QStringLiteral("btnDeleteOutput%1Tag"))
                                  .arg(port));
        remove->setProperty("Tag", editor.boxTag(port));
        remove->setFixedWidth(32);
        connect(remove, &QPushButton::clicked, this,
                [this, kind = editor.kind(), port] { emit deleteTagClicked(kind, port); });
        layout->addWidget(label, port - 1, 0);
        layout->addWidget(box, port - 1, 1);
        layout->addWidget(remove, port - 1, 2);
        for (QWidget* control : {static_cast<QWidget*>(label), static_cast<QWidget*>(box),
                                 static_cast<QWidget*>(remove)}) {
            control->setVisible(port <= kShownPorts);
        }
        boxes[port - 1] = box;
    }
    layout->setColumnStretch(1, 1);
    return group;
}

void TfrmPreSettingEdit::showForm(QGroupBox* form, QSize size, QPoint okAt, QPoint cancelAt) {
    setFixedSize(size);
    btnOK_->move(okAt);
    btnCancel_->move(cancelAt);
    for (QGroupBox* group : {gbOutputSetting_, gbInputPortTag_, gbOutputPortTag_}) {
        group->setVisible(group == form);
    }
    form->setGeometry(
        QRect(kFormAt, QPoint(size.width() - kFormAt.x() - 1, okAt.y() - kFormBottomGap)));
    btnOK_->setFocus();
}

void TfrmPreSettingEdit::arrangeOutputSetting(const OutputSettingEdit& edit) {
    showForm(gbOutputSetting_, QSize(567, 357), QPoint(296, 296), QPoint(424, 296));
    edit_ = edit;
    leSettingName_->setText(edit.name);
    for (int output = 1; output <= kShownPorts; ++output) {
        outputLabels_[output - 1]->setText(edit.outputLabels[output - 1]);
        fill(outputSources_[output - 1], edit.inputEntries);
        outputSources_[output - 1]->setCurrentIndex(edit.inputs[output - 1] - 1);
    }
    fill(cbFromDeviceOfAllOutput_, edit.allOutputsEntries);
    cbFromDeviceOfAllOutput_->setCurrentIndex(OutputSettingEdit::kSelectInputEntry);
    setWindowTitle(QStringLiteral("Edit Output setting"));
}

OutputSettingEdit TfrmPreSettingEdit::outputSetting() const {
    OutputSettingEdit edit = edit_;
    edit.name = leSettingName_->text();
    for (int output = 1; output <= kShownPorts; ++output) {
        edit.inputs[output - 1] = outputSources_[output - 1]->currentIndex() + 1;
    }
    return edit;
}

void TfrmPreSettingEdit::cbFromDeviceOfAllOutputChange(int index) {
    OutputSettingEdit edit = outputSetting();
    edit.chooseAllOutputsFrom(index);
    for (int output = 1; output <= kShownPorts; ++output) {
        outputSources_[output - 1]->setCurrentIndex(edit.inputs[output - 1] - 1);
    }
}

const TfrmPreSettingEdit::TagBoxes& TfrmPreSettingEdit::boxesOf(Kind kind) const {
    return kind == Kind::Inputs ? inputNames_ : outputNames_;
}

void TfrmPreSettingEdit::arrangeTagForm(const PortTagEditor& editor,
                                        const PortTagEditor::Boxes& texts) {
    const bool inputs = editor.kind() == Kind::Inputs;
    showForm(inputs ? gbInputPortTag_ : gbOutputPortTag_, QSize(635, 302), QPoint(320, 240),
             QPoint(448, 240));
    setWindowTitle(editor.caption());
    const TagBoxes& boxes = boxesOf(editor.kind());
    for (int port = 1; port <= kShownPorts; ++port) {
        fill(boxes[port - 1], editor.history());
        boxes[port - 1]->setEditText(texts[port - 1]);
    }
}

PortTagEditor::Boxes TfrmPreSettingEdit::tagTexts(Kind kind) const {
    PortTagEditor::Boxes texts;
    for (int port = 1; port <= kShownPorts; ++port) {
        texts[port - 1] = boxesOf(kind)[port - 1]->currentText();
    }
    return texts;
}

void TfrmPreSettingEdit::setTagHistory(Kind kind, const QStringList& names) {
    const PortTagEditor::Boxes texts = tagTexts(kind);
    for (int port = 1; port <= kShownPorts; ++port) {
        fill(boxesOf(kind)[port - 1], names);
        boxesOf(kind)[port - 1]->setEditText(texts[port - 1]);
    }
}

void TfrmPreSettingEdit::clearTagBox(Kind kind, int port) {
    if (port >= 1 && port <= kShownPorts) boxesOf(kind)[port - 1]->setEditText(QString());
}

}  // namespace ui

#pragma once

#include <QDialog>
#include <array>

#include "ui/presenters/porttag/PortTagEditor.h"
#include "ui/presenters/setting/OutputSettingEdit.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ui {

// The pre-setting edit dialog. One of its three forms is shown at a time: "Output setting"
// (a pre-setting's routing), or the input or output tag editor.
class TfrmPreSettingEdit final : public QDialog {
    Q_OBJECT

public:
    using Kind = PortTagEditor::Kind;

    explicit TfrmPreSettingEdit(QWidget* parent = nullptr);

    // Shows the "Output setting" form with the edit's name, lists and choices.
    void arrangeOutputSetting(const OutputSettingEdit& edit);
    // The edit as the form holds it now.
    OutputSettingEdit outputSetting() const;

    // Shows the tag form of the editor's kind, its boxes listing its history.
    void arrangeTagForm(const PortTagEditor& editor, const PortTagEditor::Boxes& texts);
    PortTagEditor::Boxes tagTexts(Kind kind) const;
    // Gives every box of the kind this list, keeping what the boxes read.
    void setTagHistory(Kind kind, const QStringList& names);
    void clearTagBox(Kind kind, int port);

signals:
    void deleteTagClicked(ui::PortTagEditor::Kind kind, int port);

private:
    static constexpr int kPorts = 8;  // controls of ports 7 and 8 exist, never shown
    using TagBoxes = std::array<QComboBox*, kPorts>;

    QGroupBox* buildOutputSetting();
    QGroupBox* buildTagGroup(const PortTagEditor& editor, const char* groupName,
                             const QString& caption, TagBoxes& boxes);
    void showForm(QGroupBox* form, QSize size, QPoint okAt, QPoint cancelAt);
    void cbFromDeviceOfAllOutputChange(int index);
    const TagBoxes& boxesOf(Kind kind) const;

    OutputSettingEdit edit_;
    QGroupBox* gbOutputSetting_ = nullptr;
    QGroupBox* gbInputPortTag_ = nullptr;
    QGroupBox* gbOutputPortTag_ = nullptr;
    QLineEdit* leSettingName_ = nullptr;
    std::array<QLabel*, kPorts> outputLabels_{};
    std::array<QComboBox*, kPorts> outputSources_{};
    QComboBox* cbFromDeviceOfAllOutput_ = nullptr;
    TagBoxes inputNames_{};
    TagBoxes outputNames_{};
    QPushButton* btnOK_ = nullptr;
    QPushButton* btnCancel_ = nullptr;
};

}  // namespace ui

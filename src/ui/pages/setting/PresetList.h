#pragma once

#include "ui/presenters/setting/PresetView.h"

class QTableWidget;
class QWidget;

namespace ui {

// lvPreSetting: one row per pre-setting, its name and the input of each output.
class PresetList final : public PresetView {
public:
    explicit PresetList(QTableWidget& list);

    // Window show: fixed column widths, every cell centred.
    void windowShown();
    // Row 1 to 8 that is selected, 0 for none.
    int selectedRow() const;

    void showPresetRow(int row, const QString& name, const QStringList& cells) override;
    void selectPresetRow(int row) override;

private:
    QTableWidget* lvPreSetting_;
};

}  // namespace ui

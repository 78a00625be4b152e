#pragma once

#include <QString>
#include <QStringList>

#include "link/StatusPanel.h"

namespace ui {

// The "Pre-Settings" list of the "Setting" page.
class PresetView {
public:
    virtual ~PresetView() = default;

    // Row 1 to 8 of lvPreSetting: its caption and output cells.
    virtual void showPresetRow(int row, const QString& name, const QStringList& cells) = 0;
    virtual void selectPresetRow(int row) = 0;
};

}  // namespace ui

#pragma once

#include <QString>

#include "core/operations/FirmwareUpgrade.h"

namespace ui {

// The "FW upgrade" tab as the upgrade sees it: the chosen file and the upgrade's progress.
class FwUpgradeView : public core::UpgradeProgress {
public:
    virtual QString firmwarePath() const = 0;
    // Puts the path in the field with the caret at its end.
    virtual void setFirmwarePath(const QString& path) = 0;
    // What the chosen file holds, shown under its path before anything is sent.
    virtual void setFileSummary(const QString& text) = 0;
};

}  // namespace ui

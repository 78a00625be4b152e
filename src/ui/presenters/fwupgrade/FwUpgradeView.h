#pragma once

#include <QString>

#include "link/StatusPanel.h"

namespace ui {

// The "FW upgrade" tab as the upgrade sees it.
class FwUpgradeView {
public:
    virtual ~FwUpgradeView() = default;

    virtual QString firmwarePath() const = 0;
    // Puts the path in the field with the caret at its end.
    virtual void setFirmwarePath(const QString& path) = 0;
    // What the chosen file holds, shown under its path before anything is sent.
    virtual void setFileSummary(const QString& text) = 0;
    virtual void addMessage(const QString& line) = 0;
    // The gauge is drawn before this returns.
    virtual void showProgress(const QString& caption, int percent) = 0;
    // While upgrading the button is disabled and the message caret hidden.
    virtual void setUpgrading(bool upgrading) = 0;
    virtual void showStatus(devlink::StatusPanel panel, const QString& text, bool alert) = 0;
};

}  // namespace ui

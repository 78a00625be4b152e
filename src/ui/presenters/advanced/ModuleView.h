#pragma once

#include <QString>

#include "link/StatusPanel.h"

namespace ui {

// The Ethernet module's information and its reset to defaults, on the "Advanced" tab.
class ModuleView {
public:
    virtual ~ModuleView() = default;

    // The three lines in full ("Version: Ver1.2", "DHCP: Auto IP", "IP Address: ...").
    virtual void showModuleInfo(const QString& version, const QString& dhcp,
                                const QString& address) = 0;
    virtual void setQueryEnabled(bool enabled) = 0;
    // The typed confirmation; true when the operator typed "Yes".
    virtual bool confirmReset() = 0;
    virtual void showStatus(devlink::StatusPanel panel, const QString& text, bool alert) = 0;
};

}  // namespace ui

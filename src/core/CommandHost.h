#pragma once

#include <QString>

#include "link/StatusPanel.h"

namespace core {

// What the front end running a command gives the command runner: its way to open the line,
// its status texts, its information box and its last known power state.
class CommandHost {
public:
    // Opens the line on demand, as the window's Connect button does.
    virtual void connectForCommand() = 0;
    virtual void showStatus(devlink::StatusPanel panel, const QString& text, bool alert) = 0;
    virtual void informationBox(const QString& text) = 0;
    virtual bool powerOn() = 0;

protected:
    ~CommandHost() = default;
};

}  // namespace core

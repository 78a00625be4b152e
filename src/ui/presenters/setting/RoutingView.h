#pragma once

#include <QString>

#include "link/StatusPanel.h"

namespace ui {

// What the routing panel of the "Setting" page shows. Every setter repaints at once,
// because the commands that follow keep the event loop busy.
class RoutingView {
public:
    virtual ~RoutingView() = default;

    // The digit display of the output (LED1 to LED6).
    virtual void setDigitText(int output, const QString& text) = 0;
    // The input button of the output's radio group that is down.
    virtual void setButtonDown(int output, int input) = 0;
    virtual void setNoButtonDown(int output) = 0;
    virtual void setNoteText(const QString& text) = 0;  // lblNote
    // The info pop-up with the tag list, 28 pixels under the mouse.
    virtual void showInOutInfo() = 0;
    virtual void closeInOutInfo() = 0;
    // Draws the eye to an output whose route changed at the switcher, for a moment.
    virtual void flashOutput(int output) = 0;
};

}  // namespace ui

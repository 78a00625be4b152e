#pragma once

#include <QString>

#include "link/FailureKind.h"

namespace devlink {
class TVKCOMControl;
}

namespace core {

// Where an operation ran, for the texts that name the line or the port.
struct FailureContext {
    bool comMode = true;
    QString port;            // the serial device
    QString address;         // the TCP control device
    bool connected = false;  // a failed close of an open line reads "Close" or "Disconnect"
    int output = 0;          // the output without a display
    QString detail;          // a bad file's own reason
};

// The line and port of a link as they are now: a failure while the line is open happened as it
// closed.
FailureContext FailureContextOf(const devlink::TVKCOMControl& link);

// The operator's text for a failure, the one source for the window, matrixctl and the bridge.
// It may hold a line break ("\r\n"); one-line outputs replace it with a space.
QString FailureText(devlink::FailureKind kind, const FailureContext& where = {});

// An EDID read from a display, or given in a file, that does not check.
QString EdidContentErrorText();

// Why a status refresh shows nothing past the power state.
QString PowerOffRefreshText();

// The Ethernet module did not answer the query for its information.
QString ModuleQueryFailedText();

}  // namespace core

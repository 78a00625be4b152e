#pragma once

#include <QString>

namespace devlink {

// Message numbers the window receives from the link (WM_USER + 1000 onwards).
enum LinkMessage : int {
    WM_LINK_RXCOUNT = 2024,
    WM_LINK_FRAMELOG = 2025,
    WM_LINK_TIMEOUT = 2026,
    WM_LINK_DATALOG = 2028,
    WM_LINK_INVALID = 2029,
    WM_LINK_DONE = 2030,
    WM_LINK_ERROR = 2031,
    WM_LINK_CONNECTFAIL = 2032,
    WM_LINK_PARTREFUSED = 2034,
    WM_LINK_PROGRESS = 2035,
    WM_LINK_NOREPLY = 2037,
    WM_LINK_STATUS = 2038,
    WM_LINK_LANSTATUS = 2039,
};

// A text-carrying message has its text here and wParam 0; a failed connect may add
// its cause here too.
struct LinkNotification {
    int message = 0;
    qint64 wParam = 0;
    qint64 lParam = 0;
    QString text;
};

}  // namespace devlink

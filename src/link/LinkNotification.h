#pragma once

#include <QString>

#include "link/FailureKind.h"

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
    // Set on the notification that ends an operation in failure.
    FailureKind failure = FailureKind::None;
};

// The notification that has always announced a failure of this kind; 0 for kinds the link never
// reports itself.
constexpr int FailureMessage(FailureKind kind) {
    switch (kind) {
        case FailureKind::TimedOut:
            return WM_LINK_TIMEOUT;
        case FailureKind::Refused:
        case FailureKind::NoReply:
            return WM_LINK_NOREPLY;
        case FailureKind::InvalidReply:
            return WM_LINK_INVALID;
        case FailureKind::LineLost:
            return WM_LINK_ERROR;
        case FailureKind::CannotConnect:
            return WM_LINK_CONNECTFAIL;
        default:
            return 0;
    }
}

// The kind a failure notification stands for; a refusal reads as no reply, which it also is.
constexpr FailureKind FailureOfMessage(int message) {
    switch (message) {
        case WM_LINK_TIMEOUT:
            return FailureKind::TimedOut;
        case WM_LINK_NOREPLY:
            return FailureKind::NoReply;
        case WM_LINK_INVALID:
            return FailureKind::InvalidReply;
        case WM_LINK_ERROR:
            return FailureKind::LineLost;
        case WM_LINK_CONNECTFAIL:
            return FailureKind::CannotConnect;
        default:
            return FailureKind::None;
    }
}

}  // namespace devlink

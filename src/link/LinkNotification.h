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

// The failures the link reports itself, each with the notification that has always announced
// it; the first row of a notification is the kind it reads back as.
struct FailureAnnouncement {
    FailureKind kind;
    int message;
};
inline constexpr FailureAnnouncement kFailureAnnouncements[] = {
    {.kind = FailureKind::TimedOut, .message = WM_LINK_TIMEOUT},
    {.kind = FailureKind::NoReply, .message = WM_LINK_NOREPLY},
    {.kind = FailureKind::Refused, .message = WM_LINK_NOREPLY},  // a refusal is no reply, too
    {.kind = FailureKind::InvalidReply, .message = WM_LINK_INVALID},
    {.kind = FailureKind::LineLost, .message = WM_LINK_ERROR},
    {.kind = FailureKind::CannotConnect, .message = WM_LINK_CONNECTFAIL},
};

// The notification of a failure of this kind; 0 for kinds the link never reports itself.
constexpr int FailureMessage(FailureKind kind) {
    for (const FailureAnnouncement& announced : kFailureAnnouncements)
        if (announced.kind == kind) return announced.message;
    return 0;
}

// The kind a failure notification stands for.
constexpr FailureKind FailureOfMessage(int message) {
    for (const FailureAnnouncement& announced : kFailureAnnouncements)
        if (announced.message == message) return announced.kind;
    return FailureKind::None;
}

}  // namespace devlink

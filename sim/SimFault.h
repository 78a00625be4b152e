#pragma once

#include <QByteArray>

namespace sim {

enum class FaultKind {
    NoReply,
    StatusFF,
    BadChecksum,
    WrongGroup,
    WrongCode,
    Split,
    TrailingBytes,
    Delay,
    Garbage,
    ChecksumRightWrongContent,
    DropConnection
};

// A misbehaviour of the switcher, applied to the replies of the next matching frames.
struct Fault {
    FaultKind kind;
    int times = 1;     // how many matching frames it applies to; -1 = every matching frame
    int group = -1;    // -1 = any group; else only frames of this group
    int code = -1;     // -1 = any code
    int delayMs = 0;   // Delay: extra delay before the reply
    int pieces = 2;    // Split: reply cut into this many pieces, a few ms apart
    QByteArray bytes;  // TrailingBytes: appended; Garbage: sent instead of the reply
};

}  // namespace sim

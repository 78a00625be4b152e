#pragma once

#include <QtGlobal>
#include <functional>

namespace devlink {

// How often one exchange is tried and how long the link rests after a reply it did not accept.
// A time-out is retried at once: the time-out itself was the wait.
struct RetryPolicy {
    enum class Pause {
        Sleep,  // the thread sleeps: nothing runs, the line settles
        Pump,   // the event loop keeps running
    };
    int attempts = 5;
    int pauseMs = 5;
    Pause pause = Pause::Sleep;
    bool pauseAfterLast = true;
};

// What an exchange waits for; it sets when the reply is complete.
enum class ReplyKind : quint8 {
    Frame,         // a command's or a block's answer: one frame
    DataBlock,     // a block the switcher sends: header, checksum and payload, 270 bytes
    ModuleRecord,  // the LDCD answer: 32 bytes, counted on the serial port only
};

// What the caller makes of a complete reply.
enum class ReplyVerdict {
    Accept,   // done
    Retry,    // try again after the pause
    Abandon,  // no attempt can help: stop now
};

// How the attempts ended.
enum class Attempted {
    Accepted,
    Rejected,  // every attempt was answered, none accepted
    TimedOut,  // the last attempt had no complete reply in time
    Abandoned,
    Stopped,  // the window is closing
};

// One exchange as it is tried again and again. The bytes are read anew for every attempt, so a
// verdict may change them for the next one.
struct RetriedExchange {
    const quint8* bytes = nullptr;
    int count = 0;
    ReplyKind replyKind = ReplyKind::Frame;
    // Runs right after each send: the traffic texts of attempt n.
    std::function<void(int attempt)> afterSend;
    // Judges each complete reply of attempt n.
    std::function<ReplyVerdict(int attempt)> judge;
};

}  // namespace devlink

#pragma once

#include <QString>

#include "link/CommandResult.h"
#include "link/FailureKind.h"

namespace core {

// How a multi-step operation ended: what went wrong as a value, and the operation's own line
// for it. The line is empty where the link has already reported the failure with its text.
struct OperationResult {
    devlink::FailureKind failure = devlink::FailureKind::None;
    QString text;

    bool ok() const { return failure == devlink::FailureKind::None; }
};

// What went wrong in one command; a command the program's closing cut short says so.
inline devlink::FailureKind FailureOf(const devlink::CommandResult& result) {
    if (result.succeeded()) return devlink::FailureKind::None;
    return result.failure == devlink::FailureKind::None ? devlink::FailureKind::Stopped
                                                        : result.failure;
}

}  // namespace core

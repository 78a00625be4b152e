#pragma once

#include "link/FailureKind.h"
#include "link/Frame.h"

namespace devlink {

// The 13 bytes of the last reply (accepted or not), whether the operation succeeded and, when
// it did not, why.
struct CommandResult {
    Frame reply{};
    quint8 ok = 0;
    FailureKind failure = FailureKind::None;

    bool succeeded() const { return ok != 0; }
};

}  // namespace devlink

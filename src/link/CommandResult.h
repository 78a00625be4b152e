#pragma once

#include "link/Frame.h"

namespace devlink {

// The 13 bytes of the last reply (accepted or not) and whether the operation succeeded.
struct CommandResult {
    Frame reply{};
    quint8 ok = 0;

    bool succeeded() const { return ok != 0; }
};

}  // namespace devlink

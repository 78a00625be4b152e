#pragma once

#include <deque>
#include <optional>

#include "SimFault.h"

namespace sim {

// Faults waiting for their frames; the oldest fault that matches a frame is used for it.
class FaultQueue {
public:
    void add(const Fault& fault);
    void clear() { faults_.clear(); }
    std::optional<Fault> take(quint8 group, quint8 code);

private:
    std::deque<Fault> faults_;
};

}  // namespace sim

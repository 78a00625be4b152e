#include "FaultQueue.h"

#include <algorithm>

namespace sim {

namespace {
bool matches(const Fault& fault, quint8 group, quint8 code) {
    return (fault.group < 0 || fault.group == group) && (fault.code < 0 || fault.code == code);
}
}  // namespace

void FaultQueue::add(const Fault& fault) {
    if (fault.times != 0) {
        faults_.push_back(fault);
    }
}

std::optional<Fault> FaultQueue::take(quint8 group, quint8 code) {
    const auto it = std::find_if(faults_.begin(), faults_.end(),
                                 [&](const Fault& fault) { return matches(fault, group, code); });
    if (it == faults_.end()) {
        return std::nullopt;
    }
    const Fault fault = *it;
    if (it->times > 0 && --it->times == 0) {
        faults_.erase(it);
    }
    return fault;
}

}  // namespace sim

#include "core/SwitcherState.h"

namespace core {

LinkState SwitcherState::link(PortSide side, int port) const {
    const auto& links = side == PortSide::Input ? known_.inputLinks : known_.outputLinks;
    return links.at(port - 1);
}

void SwitcherState::setLine(bool up) {
    if (lineUp_ == up) return;
    lineUp_ = up;
    emit changed({.kind = StateChange::Kind::Line, .on = up});
}

void SwitcherState::setPower(bool on, ChangeSource by) {
    if (known_.power == on) return;
    known_.power = on;
    emit changed({.kind = StateChange::Kind::Power, .by = by, .on = on});
}

void SwitcherState::setRoute(int output, int input, ChangeSource by) {
    auto& known = known_.routes.at(output - 1);
    if (known == input) return;
    known = input;
    emit changed({.kind = StateChange::Kind::Route, .by = by, .number = output, .input = input});
}

void SwitcherState::setLink(PortSide side, int port, LinkState state) {
    auto& links = side == PortSide::Input ? known_.inputLinks : known_.outputLinks;
    if (links.at(port - 1) == state) return;
    links.at(port - 1) = state;
    emit changed({.kind = StateChange::Kind::Link, .number = port, .side = side, .link = state});
}

void SwitcherState::apply(const StateReading& reading, const StateReading& here) {
    if (reading.power) {
        setPower(*reading.power,
                 here.power == reading.power ? ChangeSource::Here : ChangeSource::Elsewhere);
    }
    for (int output = 1; output <= kPorts; ++output) {
        const auto& input = reading.routes[output - 1];
        if (!input) continue;
        const bool ours = here.routes[output - 1] == *input;
        setRoute(output, *input, ours ? ChangeSource::Here : ChangeSource::Elsewhere);
    }
    for (int port = 1; port <= kPorts; ++port) {
        if (reading.inputLinks[port - 1] != LinkState::Unknown)
            setLink(PortSide::Input, port, reading.inputLinks[port - 1]);
        if (reading.outputLinks[port - 1] != LinkState::Unknown)
            setLink(PortSide::Output, port, reading.outputLinks[port - 1]);
    }
}

}  // namespace core

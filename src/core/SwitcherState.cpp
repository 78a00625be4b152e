#include "core/SwitcherState.h"

namespace core {

LinkState SwitcherState::link(PortSide side, int port) const {
    const auto& links = side == PortSide::Input ? known_.inputLinks : known_.outputLinks;
    return links.at(port - 1);
}

void SwitcherState::setLine(bool up) {
    if (lineUp_ == up) return;
    lineUp_ = up;
    StateChange change;
    change.kind = StateChange::Kind::Line;
    change.on = up;
    emit changed(change);
}

void SwitcherState::setPower(bool on, ChangeSource by) {
    if (known_.power == on) return;
    known_.power = on;
    StateChange change;
    change.kind = StateChange::Kind::Power;
    change.by = by;
    change.on = on;
    emit changed(change);
}

void SwitcherState::setRoute(int output, int input, ChangeSource by) {
    auto& known = known_.routes.at(output - 1);
    if (known == input) return;
    known = input;
    StateChange change;
    change.kind = StateChange::Kind::Route;
    change.by = by;
    change.number = output;
    change.input = input;
    emit changed(change);
}

void SwitcherState::setLink(PortSide side, int port, LinkState state) {
    auto& links = side == PortSide::Input ? known_.inputLinks : known_.outputLinks;
    if (links.at(port - 1) == state) return;
    links.at(port - 1) = state;
    StateChange change;
    change.kind = StateChange::Kind::Link;
    change.number = port;
    change.side = side;
    change.link = state;
    emit changed(change);
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

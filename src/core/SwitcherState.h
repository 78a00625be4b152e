#pragma once

#include <QObject>
#include <array>
#include <optional>

#include "core/operations/StatusReads.h"

namespace core {

// Who made a change: this program (a command it sent and then read back) or anyone else
// (the front panel, the IR remote, another program).
enum class ChangeSource { Here, Elsewhere };

// One difference from what was known, announced once.
struct StateChange {
    enum class Kind { Line, Power, Route, Link };
    Kind kind = Kind::Line;
    ChangeSource by = ChangeSource::Elsewhere;
    bool on = false;  // Line: the line is up; Power: the switcher is on
    int number = 0;   // Route: the output; Link: the port
    int input = 0;    // Route: the input now shown on the output
    PortSide side = PortSide::Input;
    LinkState link = LinkState::Unknown;
};

// What one full read of the switcher saw; a value that could not be read stays empty.
struct StateReading {
    std::optional<bool> power;
    std::array<std::optional<int>, kPorts> routes{};
    std::array<LinkState, kPorts> inputLinks{};
    std::array<LinkState, kPorts> outputLinks{};

    bool operator==(const StateReading&) const = default;
};

// The observable state of the switcher: the last confirmed value of each thing the program
// follows, or nothing while it is unknown. Every difference is announced once by changed().
class SwitcherState final : public QObject {
    Q_OBJECT

public:
    bool lineUp() const { return lineUp_; }
    std::optional<bool> power() const { return known_.power; }
    std::optional<int> route(int output) const { return known_.routes.at(output - 1); }
    LinkState link(PortSide side, int port) const;
    const StateReading& known() const { return known_; }

    void setLine(bool up);
    void setPower(bool on, ChangeSource by);
    void setRoute(int output, int input, ChangeSource by);
    void setLink(PortSide side, int port, LinkState state);
    // Takes a whole reading at once, so nothing is announced from half a read; a value the
    // reading lacks keeps what was known. `here` holds the values this program set: a reading
    // that confirms one is credited to this program.
    void apply(const StateReading& reading, const StateReading& here);

signals:
    void changed(const core::StateChange& change);

private:
    bool lineUp_ = false;
    StateReading known_;
};

}  // namespace core

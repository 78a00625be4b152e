#pragma once

#include <memory>

#include "core/Connection.h"
#include "support/SimHarness.h"

namespace testing_support {

// A matrixctl connection to "COM1" on the in-process simulator and a virtual clock. Set the
// transport's faults or responder before the first command.
struct SimConnection {
    SimConnection() {
        auto serial = std::make_unique<SimSerialTransport>(sim, clock);
        transport = serial.get();
        pump = std::make_unique<SimPump>(clock, *transport);
        devlink::TVKCOMControl::Parts parts;
        parts.serial = std::move(serial);
        parts.pump = pump.get();
        parts.clock = &clock;
        connection = std::make_unique<core::Connection>(
            core::Target{core::Target::Kind::Serial, QStringLiteral("COM1")}, std::move(parts));
    }

    sim::SwitcherSim sim;
    VirtualClock clock;
    SimSerialTransport* transport = nullptr;  // owned by the connection's link
    std::unique_ptr<SimPump> pump;
    std::unique_ptr<core::Connection> connection;
};

}  // namespace testing_support

#include <gtest/gtest.h>

#include <memory>

#include "core/Connection.h"
#include "support/CaseName.h"
#include "support/SimHarness.h"

namespace {

using testing_support::SimPump;
using testing_support::SimSerialTransport;
using testing_support::VirtualClock;

// A line that fails as it opens or as it closes: the text names which.
struct LineFault {
    const char* name;
    bool failOpen;
    bool failClose;
    const char* text;
};

const LineFault kLineFaults[] = {
    {"open", true, false, "Open COM [COM1] failed: CreateFile failed"},
    {"close", false, true, "Close COM [COM1] failed"},
};

struct ConnectionLine : ::testing::TestWithParam<LineFault> {
    ConnectionLine() {
        auto serial = std::make_unique<SimSerialTransport>(sim, clock);
        transport = serial.get();
        transport->failOpen = GetParam().failOpen;
        transport->failOpenCause = QStringLiteral("CreateFile failed");
        transport->failClose = GetParam().failClose;
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

TEST_P(ConnectionLine, FailureNamesWhatTheLineWasDoing) {
    if (connection->connect()) connection->link().Disconnect();
    ASSERT_TRUE(connection->failure().has_value());
    EXPECT_EQ(connection->failure()->kind, devlink::FailureKind::CannotConnect);
    EXPECT_EQ(connection->failure()->text, GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Faults, ConnectionLine, ::testing::ValuesIn(kLineFaults),
                         testing_support::CaseNamer([](const LineFault& f) { return f.name; }));

}  // namespace

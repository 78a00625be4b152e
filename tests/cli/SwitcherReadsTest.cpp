// The multi-step reads of matrixctl on the in-process simulator and virtual time: the switcher
// answers some frames, then falls silent or its line goes away. The read ends at that exchange
// (its retries are the same frame) and the command's exit status is 2.
#include <gtest/gtest.h>

#include <set>

#include "cli/program/ExitCode.h"
#include "core/Connection.h"
#include "core/operations/StatusReads.h"
#include "support/CaseName.h"
#include "support/SimHarness.h"

namespace {

using testing_support::SimPump;
using testing_support::SimSerialTransport;
using testing_support::VirtualClock;

struct Cutoff {
    const char* name;
    bool (*read)(core::Connection& session);  // whether it read everything
    int answered;                             // frames the switcher answers, the power query first
    bool lineLost;                            // else it falls silent
};

bool inputLinks(core::Connection& s) {
    return core::readLinkStates(s.runner(), core::PortSide::Input).has_value();
}
bool outputLinks(core::Connection& s) {
    return core::readLinkStates(s.runner(), core::PortSide::Output).has_value();
}
bool routes(core::Connection& s) {
    return core::readRoutes(s.runner()).has_value();
}

void PrintTo(const Cutoff& c, std::ostream* os) {
    *os << c.name;
}

const Cutoff kCutoffs[] = {
    {"input links, silent after port 2", inputLinks, 3, false},
    {"output links, silent at port 1", outputLinks, 1, false},
    {"input links, line lost after port 1", inputLinks, 2, true},
    {"routes, silent after output 4", routes, 5, false},
};

struct CutOffSwitcher : ::testing::TestWithParam<Cutoff> {
    CutOffSwitcher() {
        auto serial = std::make_unique<SimSerialTransport>(sim, clock);
        transport = serial.get();
        pump = std::make_unique<SimPump>(clock, *transport);
        devlink::TVKCOMControl::Parts parts;
        parts.serial = std::move(serial);
        parts.pump = pump.get();
        parts.clock = &clock;
        session = std::make_unique<core::Connection>(
            core::Target{core::Target::Kind::Serial, QStringLiteral("COM1")}, std::move(parts));
        transport->setResponder([this](const QByteArray& bytes, qint64 now) {
            if (transport->written.size() <= GetParam().answered)
                return sim.receive(bytes, static_cast<double>(now));
            unplugDue = GetParam().lineLost;
            return std::vector<sim::Delivery>{};
        });
        pump->onTick = [this] {
            if (std::exchange(unplugDue, false)) transport->unplug();
        };
    }

    sim::SwitcherSim sim;
    VirtualClock clock;
    SimSerialTransport* transport = nullptr;  // owned by the session's link
    std::unique_ptr<SimPump> pump;
    std::unique_ptr<core::Connection> session;
    bool unplugDue = false;
};

TEST_P(CutOffSwitcher, ReadEndsAtTheFirstUnansweredExchange) {
    ASSERT_EQ(session->readPower(), true);
    EXPECT_FALSE(GetParam().read(*session));
    const QByteArrayList& sent = transport->written;
    ASSERT_GT(sent.size(), GetParam().answered);
    const std::set<QByteArray> unanswered(sent.begin() + GetParam().answered, sent.end());
    EXPECT_EQ(unanswered.size(), 1u) << "frames sent: " << sent.size();
    ASSERT_TRUE(session->failure().has_value());
    EXPECT_EQ(cli::ExitCodeFor(session->failure()->kind), cli::kExitNoReply);
}

INSTANTIATE_TEST_SUITE_P(Reads, CutOffSwitcher, ::testing::ValuesIn(kCutoffs),
                         testing_support::CaseNamer([](const Cutoff& c) { return c.name; }));

}  // namespace

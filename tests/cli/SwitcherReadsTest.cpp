// The multi-step reads of matrixctl on the in-process simulator and virtual time: the switcher
// answers some frames, then falls silent or its line goes away. The read ends at that exchange
// (its retries are the same frame) and the command's exit status is 2.
#include <gtest/gtest.h>

#include <set>

#include "cli/program/ExitCode.h"
#include "core/Connection.h"
#include "core/operations/StatusReads.h"
#include "support/CaseName.h"
#include "support/SimConnection.h"

namespace {

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

struct CutOffSwitcher : ::testing::TestWithParam<Cutoff>, testing_support::SimConnection {
    CutOffSwitcher() {
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

    bool unplugDue = false;
};

TEST_P(CutOffSwitcher, ReadEndsAtTheFirstUnansweredExchange) {
    ASSERT_EQ(connection->readPower(), true);
    EXPECT_FALSE(GetParam().read(*connection));
    const QByteArrayList& sent = transport->written;
    ASSERT_GT(sent.size(), GetParam().answered);
    const std::set<QByteArray> unanswered(sent.begin() + GetParam().answered, sent.end());
    EXPECT_EQ(unanswered.size(), 1u) << "frames sent: " << sent.size();
    ASSERT_TRUE(connection->failure().has_value());
    EXPECT_EQ(cli::ExitCodeFor(connection->failure()->kind), cli::kExitNoReply);
}

INSTANTIATE_TEST_SUITE_P(Reads, CutOffSwitcher, ::testing::ValuesIn(kCutoffs),
                         testing_support::CaseNamer([](const Cutoff& c) { return c.name; }));

}  // namespace

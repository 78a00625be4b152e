#include <gtest/gtest.h>

#include "support/CaseName.h"
#include "support/SimConnection.h"

namespace {

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

struct ConnectionLine : ::testing::TestWithParam<LineFault>, testing_support::SimConnection {
    ConnectionLine() {
        transport->failOpen = GetParam().failOpen;
        transport->failOpenCause = QStringLiteral("CreateFile failed");
        transport->failClose = GetParam().failClose;
    }
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

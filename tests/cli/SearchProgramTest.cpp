// The module search of matrixctl against matrix-sim's modules on a loopback address.
#include <gtest/gtest.h>

#include "CtlHarness.h"

namespace {

using ctltest::CtlHarness;
using ctltest::Transport;

const QStringList kTwoModules = {"--udp-address", "127.0.0.42", "--modules", "2",
                                 "--module-ip",   "127.0.0.42"};

TEST(SearchProgram, OneLinePerModuleAtTheAddress) {
    CtlHarness harness(Transport::Pty, kTwoModules);
    ASSERT_TRUE(harness.started());
    const ctltest::RunResult result = harness.runBare({"search", "--address", "127.0.0.42"});
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.out,
              "Matrix\tStatic IP\t127.0.0.42\t00-1A-2B-3C-4D-01\n"
              "Matrix-2\tStatic IP\t127.0.0.43\t00-1A-2B-3C-4D-02\n");
}

TEST(SearchProgram, JsonCarriesTheSettingsEntry) {
    CtlHarness harness(Transport::Pty, kTwoModules);
    ASSERT_TRUE(harness.started());
    const ctltest::RunResult result =
        harness.runBare({"--json", "search", "--address", "127.0.0.42"});
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(result.out.contains(QStringLiteral(
        "\"entry\": \"[Matrix]-[Static IP]-[127.0.0.42]-[00-1A-2B-3C-4D-01]-[Same Subnet]\"")))
        << result.out.toStdString();
}

}  // namespace

// matrixctl's exit status and error line for wrong input and a switcher that refuses, falls
// silent or cannot be reached.
#include <gtest/gtest.h>

#include "CtlHarness.h"
#include "support/CaseName.h"

namespace {

using ctltest::CtlHarness;
using ctltest::Transport;

struct FailureCase {
    const char* name;
    std::vector<const char*> simArgs;
    std::vector<const char*> args;
    int exitCode;
    const char* error;  // the first line on standard error
    bool sends;         // whether anything reaches the switcher
};

const FailureCase kFailures[] = {
    {"unknown command",
     {},
     {"reboot"},
     64,
     "Unknown command \"reboot\"; see matrixctl --help",
     false},
    {"output 0", {}, {"route", "0", "1"}, 64, "Not an output 1 to 6: \"0\"", false},
    {"output 7", {}, {"route", "7", "1"}, 64, "Not an output 1 to 6: \"7\"", false},
    {"input x", {}, {"route", "2", "x"}, 64, "Not an input 1 to 6: \"x\"", false},
    {"missing argument", {}, {"route", "2"}, 64, "Usage: route OUT|all IN", false},
    {"bad option word",
     {},
     {"option", "fan", "on"},
     64,
     "Expected ir, keys, apm or beeper, not \"fan\"",
     false},
    {"unknown preset", {}, {"preset", "apply", "Cellar"}, 64, "No pre-setting \"Cellar\"", false},
    {"preset with a bad cell",
     {},
     {"preset", "apply", "Broken"},
     4,
     "Pre-setting stopped: Output3 holds \"x\", not an input from 1 to 6",
     false},
    {"refused route",
     {"--fault", "statusff:all"},
     {"route", "1", "2"},
     1,
     "Send data failed!",
     true},
    {"garbled replies", {"--fault", "badchecksum:all"}, {"routes"}, 2, "Send data failed!", true},
    {"edid of an input",
     {},
     {"edid", "read", "input", "1", "x.bin"},
     64,
     "The switcher sends the EDID of an output only; an input's EDID cannot be read",
     false},
    {"edid of an unlinked output",
     {},
     {"edid", "read", "output", "3", "x.bin"},
     1,
     "EDID can not be read because output not connected. [Output3]",
     true},
    {"missing edid file",
     {},
     {"edid", "write", "input", "1", "/nonexistent/e.bin"},
     4,
     "/nonexistent/e.bin can not be read.",
     false},
    {"edid file that is not one",
     {},
     {"edid", "show", "/etc/hostname"},
     4,
     "EDID content error.",
     false},
    {"missing firmware file",
     {},
     {"upgrade", "/nonexistent/f.fw"},
     4,
     "Firmware file: /nonexistent/f.fw does not exist",
     false},
    {"search at no address",
     {},
     {"search", "--address", "10.0.0"},
     64,
     "Not an IPv4 address: \"10.0.0\"",
     false},
    {"silent switcher", {"--fault", "noreply:all"}, {"power"}, 2, "Time out!", true},
};

void PrintTo(const FailureCase& c, std::ostream* os) {
    *os << c.name;
}

struct FailureProgram : ::testing::TestWithParam<FailureCase> {};

TEST_P(FailureProgram, ExitsWithItsCodeAndOneLine) {
    const FailureCase& c = GetParam();
    QStringList simArgs;
    for (const char* arg : c.simArgs) simArgs << QLatin1String(arg);
    CtlHarness harness(Transport::Pty, simArgs);
    ASSERT_TRUE(harness.started());
    harness.writeSettings(
        "[Pre-Setting name]\nSetting3=Broken\n[Pre-Setting value]\nvalue3=1,2,x,4,5,6\n");
    harness.simOutput();
    QStringList args;
    for (const char* arg : c.args) args << QLatin1String(arg);
    const ctltest::RunResult result = harness.run(args);
    EXPECT_EQ(result.exitCode, c.exitCode) << result.err.toStdString();
    EXPECT_EQ(result.err.section(u'\n', 0, 0), QLatin1String(c.error));
    EXPECT_TRUE(result.out.isEmpty()) << result.out.toStdString();
    EXPECT_EQ(harness.simOutput().contains(QStringLiteral("RX ")), c.sends);
}

INSTANTIATE_TEST_SUITE_P(ExitCodes, FailureProgram, ::testing::ValuesIn(kFailures),
                         testing_support::CaseNamer([](const FailureCase& c) { return c.name; }));

TEST(FailureProgramPower, PoweredCommandWhileOffIsRefusedAfterThePowerQuery) {
    CtlHarness harness(Transport::Pty);
    ASSERT_TRUE(harness.started());
    ASSERT_EQ(harness.run({"power", "off"}).exitCode, 0);
    const ctltest::RunResult result = harness.run({"route", "1", "2"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "System is power off, please turn it on first.\n");
}

TEST(FailureProgramConnect, MissingSerialDeviceCannotConnect) {
    CtlHarness harness(Transport::Pty);
    const ctltest::RunResult result = harness.runBare(
        {"--serial", "/dev/matrixctl-none", "--settings", harness.settingsPath(), "routes"});
    EXPECT_EQ(result.exitCode, 3);
    EXPECT_TRUE(result.err.startsWith(QStringLiteral("Open COM [/dev/matrixctl-none] failed")))
        << result.err.toStdString();
}

TEST(FailureProgramConnect, ClosedTcpPortCannotConnect) {
    CtlHarness harness(Transport::Pty);
    const ctltest::RunResult result = harness.runBare({"--tcp", "127.0.0.1:1", "routes"});
    EXPECT_EQ(result.exitCode, 3);
    EXPECT_TRUE(result.err.startsWith(QStringLiteral("Connect 127.0.0.1 failed")))
        << result.err.toStdString();
}

TEST(FailureProgramConnect, ShortTcpAddressIsAUsageError) {
    CtlHarness harness(Transport::Pty);
    const ctltest::RunResult result = harness.runBare({"--tcp", "127.1", "routes"});
    EXPECT_EQ(result.exitCode, 64);
    EXPECT_EQ(result.err, "Not an IPv4 address: \"127.1\"\n");
}

TEST(FailureProgramConnect, ModuleInfoOverTcpIsAUsageError) {
    CtlHarness harness(Transport::Tcp);
    ASSERT_TRUE(harness.started());
    const ctltest::RunResult result = harness.run({"module", "info"});
    EXPECT_EQ(result.exitCode, 64);
    EXPECT_EQ(result.err,
              "The module answers on the serial port only; use --serial or COM control mode\n");
    EXPECT_FALSE(harness.simOutput().contains(QStringLiteral("RX ")));
}

TEST(FailureProgramConnect, DroppedTcpConnectionIsNoReply) {
    CtlHarness harness(Transport::Tcp, {"--fault", "dropconnection:all"});
    ASSERT_TRUE(harness.started());
    const ctltest::RunResult result = harness.run({"routes"});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.err, "TCP control failed!\n");
}

TEST(FailureProgramJson, FailureIsAJsonDocumentToo) {
    CtlHarness harness(Transport::Pty, {"--fault", "statusff:all"});
    ASSERT_TRUE(harness.started());
    const ctltest::RunResult result = harness.run({"--json", "route", "1", "2"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.out.contains(QStringLiteral("\"error\": \"Send data failed!\"")))
        << result.out.toStdString();
    EXPECT_TRUE(result.out.contains(QStringLiteral("\"exitCode\": 1")));
}

}  // namespace

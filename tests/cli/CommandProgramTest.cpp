// Every command of matrixctl once, in lines and as JSON, against the matrix-sim program over a
// pseudo-terminal and over TCP.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "CtlHarness.h"
#include "support/CaseName.h"

namespace {

using ctltest::CtlHarness;
using ctltest::Transport;

const QByteArray kSettings =
    "[Pre-Setting name]\nSetting1=Lobby\nSetting2=Stage\n"
    "[Pre-Setting value]\nvalue1=3,3,3,3,3,3\nvalue2=6,5,4,3,2,1\n";

struct CommandCase {
    const char* args;      // "{dir}" stands for the test's own folder
    const char* line;      // a line the human form prints
    const char* jsonPath;  // key/index/... in the JSON document
    const char* jsonValue;
    const char* before = nullptr;  // a command that must succeed first
};

constexpr const char* kReadEdid = "edid read output 1 {dir}/tv.bin";
constexpr const char* kSimEdidSummary =
    "SIM 0x0401  serial 1  week 1/2020  EDID 1.3  1920x1080 @ 60 Hz  \"SIM DISPLAY 1\"";

const CommandCase kCases[] = {
    {"status", "Device: HDMI Matrix, 6x6", "model", "HDMI Matrix"},
    {"status", "Output3: Not connected", "outputLinks/2", "not connected"},
    {"routes", "Output4: Input4", "routes/3", "4"},
    {"route 2 5", "Output2: Input5", "set/0/input", "5"},
    {"route all 3", "Output6: Input3", "set/5/input", "3"},
    {"power off", "Power: off", "power", "false"},
    {"power", "Power: on", "power", "true"},
    {"option beeper off", "Beeper: off", "on", "false"},
    {"option keys on", "Keys: on", "option", "keys"},
    {"preset list", "2 Stage: 6,5,4,3,2,1", "presets/0/name", "Lobby"},
    {"preset apply Stage", "Output1: Input6", "preset", "Stage"},
    {kReadEdid, kSimEdidSummary, "target", "Output1"},
    {"edid write input 2 {dir}/tv.bin", "write: Input2", "target", "Input2", kReadEdid},
    {"edid write memory 2 {dir}/tv.bin", "write: User2 Memory", "target", "User2 Memory",
     kReadEdid},
    {"edid copy 1 all", "copy: Output1 to All Inputs", "target", "Output1 to All Inputs"},
    {"edid mode 4 3", "mode: Input3 = 1080p, Stereo Audio 2.0", "mode", "1080p, Stereo Audio 2.0"},
    {"edid modes", "1 1080i, Stereo Audio 2.0", "modes/0", "1080i, Stereo Audio 2.0"},
    {"edid show {dir}/tv.bin", kSimEdidSummary, "summary", kSimEdidSummary, kReadEdid},
};

void PrintTo(const CommandCase& c, std::ostream* os) {
    *os << c.args;
}

QJsonValue at(const QJsonDocument& document, const QString& path) {
    QJsonValue value = document.object();
    for (const QString& step : path.split(u'/')) {
        bool index = false;
        const int n = step.toInt(&index);
        value = index ? value.toArray().at(n) : value.toObject().value(step);
    }
    return value;
}

QString text(const QJsonValue& value) {
    if (value.isBool()) return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    return value.toVariant().toString();
}

using Param = std::tuple<Transport, bool, CommandCase>;

struct CommandProgram : ::testing::TestWithParam<Param> {};

TEST_P(CommandProgram, PrintsWhatTheSwitcherSaid) {
    const auto& [transport, json, c] = GetParam();
    CtlHarness harness(transport);
    ASSERT_TRUE(harness.started());
    harness.writeSettings(kSettings);
    const auto words = [&](const char* text) {
        return QString::fromLatin1(text)
            .replace(QStringLiteral("{dir}"), harness.filePath(QString()))
            .split(u' ');
    };
    if (c.before) {
        ASSERT_EQ(harness.run(words(c.before)).exitCode, 0);
    }
    QStringList args = words(c.args);
    if (json) args.prepend(QStringLiteral("--json"));
    const ctltest::RunResult result = harness.run(args);
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(result.err.isEmpty()) << result.err.toStdString();
    if (!json) {
        EXPECT_TRUE(result.out.split(u'\n').contains(QLatin1String(c.line)))
            << result.out.toStdString();
        return;
    }
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(result.out.toUtf8(), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << result.out.toStdString();
    EXPECT_EQ(text(at(document, QLatin1String(c.jsonPath))), QLatin1String(c.jsonValue))
        << result.out.toStdString();
    EXPECT_EQ(document.object().value(QStringLiteral("command")).toString(), args[1]);
    EXPECT_EQ(document.object().value(QStringLiteral("exitCode")).toInt(-1), 0);
}

INSTANTIATE_TEST_SUITE_P(EveryCommand, CommandProgram,
                         ::testing::Combine(::testing::Values(Transport::Pty, Transport::Tcp),
                                            ::testing::Bool(), ::testing::ValuesIn(kCases)),
                         testing_support::CaseNamer([](const Param& p) {
                             return std::string(std::get<0>(p) == Transport::Pty ? "pty_"
                                                                                 : "tcp_") +
                                    (std::get<1>(p) ? "json_" : "lines_") + std::get<2>(p).args;
                         }));

// A change made by one run is what the next run reads.
TEST(CommandProgramState, RouteThenRoutesReadsItBack) {
    CtlHarness harness(Transport::Pty);
    ASSERT_TRUE(harness.started());
    ASSERT_EQ(harness.run({"route", "4", "2"}).exitCode, 0);
    const ctltest::RunResult routes = harness.run({"routes"});
    EXPECT_EQ(routes.out,
              "Output1: Input1\nOutput2: Input2\nOutput3: Input3\nOutput4: Input2\n"
              "Output5: Input5\nOutput6: Input6\n");
}

TEST(CommandProgramState, SavedComConnectionIsUsedWithoutTarget) {
    CtlHarness harness(Transport::Pty);
    ASSERT_TRUE(harness.started());
    harness.writeSettings("[Control mode]\nMode=0\n[COM port]\nName=" + harness.ptyPath().toUtf8() +
                          "\n");
    const ctltest::RunResult result =
        harness.runBare({"--settings", harness.settingsPath(), "routes"});
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(result.out.startsWith(QStringLiteral("Output1: Input1")))
        << result.out.toStdString();
}

TEST(CommandProgramState, SavedTcpDeviceIsUsedWithoutTarget) {
    CtlHarness harness(Transport::Tcp, {}, QStringLiteral("127.0.0.41"), 8000);
    ASSERT_TRUE(harness.started());
    harness.writeSettings(
        "[Control mode]\nMode=1\n[TCP control device]\n"
        "Name=[Matrix]-[Static IP]-[127.0.0.41]-[00-1A-2B-3C-4D-01]-[Same Subnet]\n");
    const ctltest::RunResult result =
        harness.runBare({"--settings", harness.settingsPath(), "power"});
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.out, "Power: on\n");
}

TEST(CommandProgramState, ModuleInfoOverTheSerialPort) {
    CtlHarness harness(Transport::Pty);
    ASSERT_TRUE(harness.started());
    const ctltest::RunResult lines = harness.run({"module", "info"});
    EXPECT_EQ(lines.exitCode, 0) << lines.err.toStdString();
    EXPECT_EQ(lines.out, "Version: Ver1.0\nDHCP: Static IP\nIP Address: 192.168.0.100\n");
    const ctltest::RunResult json = harness.run({"--json", "module", "info"});
    EXPECT_TRUE(json.out.contains(QStringLiteral("\"ip\": \"192.168.0.100\"")))
        << json.out.toStdString();
}

TEST(CommandProgramState, HelpListsEveryCommandWithAnExample) {
    CtlHarness harness(Transport::Pty);
    const ctltest::RunResult result = harness.runBare({"--help"});
    EXPECT_EQ(result.exitCode, 0);
    for (const char* command : {"status", "route OUT|all IN", "routes", "power [on|off]",
                                "option ir|keys|apm|beeper", "preset list", "edid read output",
                                "search [--address IP]", "module info", "upgrade FILE.fw"}) {
        EXPECT_TRUE(result.out.contains(QLatin1String(command))) << command;
    }
    EXPECT_GE(result.out.count(QStringLiteral("e.g. matrixctl")), 10);
}

}  // namespace

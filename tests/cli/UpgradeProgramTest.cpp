// A firmware upgrade through matrixctl: a file made by fw-merge, sent to matrix-sim.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>

#include "CtlHarness.h"

namespace {

using ctltest::CtlHarness;
using ctltest::Transport;

const QStringList kQuickReboot = {"--reboot-ms", "100"};

// Two parts: the main MCU's (staged, then the switcher reboots) and slave MCU1's.
QString mergedFirmware(const CtlHarness& harness) {
    for (const auto& [name, size] : {std::pair{"main.bin", 3000}, std::pair{"s1.bin", 700}}) {
        QFile file(harness.filePath(QLatin1String(name)));
        if (!file.open(QIODevice::WriteOnly)) return {};
        QByteArray image(size, '\0');
        for (int i = 0; i < size; ++i) image[i] = char(i * 7 + 3);
        file.write(image);
    }
    QProcess merge;
    merge.start(QStringLiteral(FW_MERGE_PATH),
                {"--main", harness.filePath("main.bin"), "--main-ver", "1.2", "--slave1",
                 harness.filePath("s1.bin"), "--slave1-ver", "1.0", "--out-dir",
                 harness.filePath(QString())});
    merge.waitForFinished(30000);
    return harness.filePath(QStringLiteral("Vorpanix_mm1.2_ms1.0.fw"));
}

TEST(UpgradeProgram, SendsEveryPartAndReboots) {
    CtlHarness harness(Transport::Pty, kQuickReboot);
    ASSERT_TRUE(harness.started());
    const ctltest::RunResult result = harness.run({"upgrade", mergedFirmware(harness)});
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.out,
              "Upgrading Part_1.1.1.2 ...\nPart_1.1.1.2 upgrading complete\n"
              "Upgrading Part_2.1.1.0 ...\nPart_2.1.1.0 upgrading complete\n"
              "Firmware upgrade successfully!\n");
    // Not a terminal: no progress line.
    EXPECT_TRUE(result.err.isEmpty()) << result.err.toStdString();
    const QString sim = harness.simOutput();
    EXPECT_TRUE(sim.contains(QStringLiteral("FW Part_1.1.1.2 3000")));
    EXPECT_TRUE(sim.contains(QStringLiteral("FW Part_2.1.1.0 700")));
}

struct RefusalCase {
    const char* name;
    QStringList simArgs;
    QString line;  // among the messages
    bool rebooted;
    QString error;
};

void PrintTo(const RefusalCase& c, std::ostream* os) {
    *os << c.name;
}

class UpgradeRefusal : public ::testing::TestWithParam<RefusalCase> {};

// A part the switcher declined, or a reboot it never came back from, fails with exit 1 even
// when the window's lines end in success (a declined first part is followed by the reboot).
TEST_P(UpgradeRefusal, ExitsOneWithTheWindowsText) {
    CtlHarness harness(Transport::Pty, kQuickReboot + GetParam().simArgs);
    ASSERT_TRUE(harness.started());
    const ctltest::RunResult result = harness.run({"--json", "upgrade", mergedFirmware(harness)});
    EXPECT_EQ(result.exitCode, 1) << result.out.toStdString();
    EXPECT_TRUE(result.out.contains(QStringLiteral("\"ok\": false"))) << result.out.toStdString();
    EXPECT_TRUE(result.out.contains('"' + GetParam().line + '"')) << result.out.toStdString();
    EXPECT_EQ(result.out.contains(QStringLiteral("successfully")), GetParam().rebooted);
    EXPECT_EQ(result.err, GetParam().error + "\n");
}

INSTANTIATE_TEST_SUITE_P(Switcher, UpgradeRefusal,
                         ::testing::Values(RefusalCase{"LastPartDeclined",
                                                       {"--fw-fault", "decline:block:all:2.1"},
                                                       "Write to Part_2.1.1.0 failed",
                                                       false,
                                                       "Write Part_2.1.1.0 failed"},
                                           RefusalCase{"MainPartDeclined",
                                                       {"--fw-fault", "decline:command:1:1.1"},
                                                       "Write to Part_1.1.1.2 failed",
                                                       true,
                                                       "Write Part_1.1.1.2 failed"},
                                           RefusalCase{"EveryRebootProbeRefused",
                                                       {"--fault", "statusff:all:1:1"},
                                                       "Upgrading Part_1.1.1.2 failed",
                                                       false,
                                                       "System reboot failed"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(UpgradeProgram, DamagedFileSendsNothing) {
    CtlHarness harness(Transport::Pty);
    ASSERT_TRUE(harness.started());
    QFile file(harness.filePath(QStringLiteral("cut.fw")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    QFile whole(mergedFirmware(harness));
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    file.write(whole.readAll().chopped(10));
    file.close();
    harness.simOutput();
    const ctltest::RunResult result = harness.run({"upgrade", file.fileName()});
    EXPECT_EQ(result.exitCode, 4);
    EXPECT_EQ(result.err,
              "1 section: Part_1.1.1.2 (3000 bytes); section 2 at offset 3143: Bad FW file!, image "
              "runs past the end of the file\n");
    EXPECT_FALSE(harness.simOutput().contains(QStringLiteral("RX ")));
}

}  // namespace

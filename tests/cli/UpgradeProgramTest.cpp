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

TEST(UpgradeProgram, DeclinedPartIsARefusalWithoutReboot) {
    CtlHarness harness(Transport::Pty,
                       kQuickReboot + QStringList{"--fw-fault", "decline:block:all:2.1"});
    ASSERT_TRUE(harness.started());
    const ctltest::RunResult result = harness.run({"--json", "upgrade", mergedFirmware(harness)});
    EXPECT_EQ(result.exitCode, 1) << result.out.toStdString();
    EXPECT_TRUE(result.out.contains(QStringLiteral("\"Write to Part_2.1.1.0 failed\"")))
        << result.out.toStdString();
    EXPECT_FALSE(result.out.contains(QStringLiteral("successfully")));
    EXPECT_EQ(result.err, "Write Part_2.1.1.0 failed\n");
}

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

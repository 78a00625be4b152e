#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>

#include "ScriptedDialogs.h"
#include "WindowHarness.h"
#include "support/FastClock.h"
#include "transport/ComPort.h"
#include "transport/EventLoopPump.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/mainwindow/ProgramWindows.h"
#include "ui/mainwindow/StatusBar.h"
#include "ui/platform/SystemServices.h"

namespace {

using testing_support::RecordingSleeper;
using testing_support::ScriptedDialogs;

// The real program's parts against the matrix-sim program on a pseudo-terminal.
struct SimulatorPty : ::testing::Test {
    void SetUp() override { startSimulator({}); }
    void startSimulator(const QStringList& options) {
        linkPath = linkDir.filePath("ttySIM0");
        sim.setProcessChannelMode(QProcess::MergedChannels);
        sim.start(QStringLiteral(MATRIX_SIM_PATH),
                  QStringList{"--link", linkPath, "--quiet"} + options);
        if (!sim.waitForStarted(5000)) GTEST_SKIP() << "matrix-sim does not start";
        const QDeadlineTimer deadline(5000);
        while (!output.contains("PTY ") && !deadline.hasExpired() && sim.waitForReadyRead(500)) {
            output += sim.readAll();
        }
        if (!output.contains("PTY "))
            GTEST_SKIP() << "no terminal from matrix-sim: " << output.data();
    }
    void TearDown() override {
        windows.reset();
        sim.terminate();
        sim.waitForFinished(5000);
    }

    void showWindow() {
        QFile file(settingsDir.filePath("Settings.ini"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[Control mode]\nMode=0\n[COM port]\nName=" + linkPath.toUtf8() + "\n");
        file.close();
        ui::TForm1Environment env;
        env.linkParts.serial = std::make_unique<devlink::TComPort>();
        env.linkParts.pump = &pump;
        env.linkParts.clock = linkClock;
        env.linkParts.flags = &guard;
        env.dialogs = &dialogs;
        env.serialPorts = &ports;
        env.sleeper = &sleeper;
        env.dateTime = &dateTime;
        env.settingsPath = file.fileName();
        windows = std::make_unique<ui::ProgramWindows>(std::move(env));
        testing_support::showWithEveryPage(windows->form1());
    }
    QString panel(int n) const {
        return windows->form1().findChild<ui::TStatusBar*>("sb")->panelText(n);
    }

    QTemporaryDir linkDir;
    QTemporaryDir settingsDir;
    QString linkPath;
    QProcess sim;
    QByteArray output;
    devlink::EventLoopPump pump;
    devlink::SteadyClock clock;
    devlink::LinkClock* linkClock = &clock;
    devlink::LinkGuard guard;
    ScriptedDialogs dialogs;
    ui::SystemSerialPorts ports{linkDir.path()};
    RecordingSleeper sleeper;
    ui::SystemDateTime dateTime;
    std::unique_ptr<ui::ProgramWindows> windows;
};

TEST_F(SimulatorPty, PublishedTerminalIsListed) {
    EXPECT_TRUE(ports.portNames().contains(linkPath));
}

TEST_F(SimulatorPty, ComControlModeConnectsAndSwitchesARoute) {
    showWindow();
    ui::TForm1& form = windows->form1();
    EXPECT_EQ(form.findChild<QComboBox*>("cbCOMList")->currentText(), linkPath);
    form.findChild<QPushButton*>("btnConnect")->click();
    ASSERT_EQ(panel(1), linkPath + ": Connected") << panel(2).toStdString();
    form.findChild<QPushButton*>("btnGetDevStatus")->click();
    testing_support::routeButton(form, 3, 5)->click();
    EXPECT_TRUE(dialogs.texts("information").isEmpty());
    EXPECT_EQ(panel(2), "Done");
}

TEST_F(SimulatorPty, StoppedSimulatorDisconnectsOnTheNextTick) {
    showWindow();
    ui::TForm1& form = windows->form1();
    form.findChild<QPushButton*>("btnConnect")->click();
    ASSERT_EQ(panel(1), linkPath + ": Connected");
    sim.terminate();
    ASSERT_TRUE(sim.waitForFinished(5000));
    form.tmrTimer();
    EXPECT_EQ(panel(1), "Disconnect");
    EXPECT_FALSE(form.Link()->GetConnected());
}

TEST_F(SimulatorPty, KilledSimulatorShowsTheDisconnectedStateWithinASecond) {
    showWindow();
    ui::TForm1& form = windows->form1();
    auto* connectButton = form.findChild<QPushButton*>("btnConnect");
    connectButton->click();
    ASSERT_EQ(panel(1), linkPath + ": Connected");
    sim.kill();
    ASSERT_TRUE(sim.waitForFinished(5000));
    const QDeadlineTimer deadline(1000);
    while (panel(1) != "Disconnect" && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    EXPECT_EQ(panel(1), "Disconnect");
    EXPECT_EQ(connectButton->text(), "&Connect");
    EXPECT_TRUE(form.findChild<QComboBox*>("cbCOMList")->isEnabled());
    EXPECT_TRUE(form.findChild<QLabel*>("imgClose")->isVisibleTo(&form));
    EXPECT_FALSE(form.findChild<QLabel*>("imgOpen")->isVisibleTo(&form));
}

QByteArray Image(int size, int seed) {
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 31 + seed) ^ (i >> 5));
    return bytes;
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// An upgrade as an installer does it: fw-merge builds the file, the window sends it to the
// matrix-sim program, which keeps every image it received and reboots into the new version.
struct SimulatorPtyUpgrade : SimulatorPty {
    void SetUp() override {
        linkClock = &fastClock;
        startSimulator({"--reboot-ms", "300", "--fw-dir", received.path()});
    }
    QString writeImage(const QString& name, const QByteArray& bytes) const {
        const QString path = work.filePath(name);
        QFile file(path);
        if (file.open(QIODevice::WriteOnly)) file.write(bytes);
        return path;
    }

    QTemporaryDir work;
    QTemporaryDir received;
    testing_support::FastClock fastClock;
};

TEST_F(SimulatorPtyUpgrade, MergedFileReachesTheSwitcherWhichShowsItsNewVersion) {
    const QByteArray main = Image(9000, 1);
    const QByteArray slave = Image(1500, 2);
    QProcess merge;
    merge.start(QStringLiteral(FW_MERGE_PATH),
                {"--main", writeImage("main.bin", main), "--main-ver", "3.7", "--slave1",
                 writeImage("slave.bin", slave), "--slave1-ver", "1.4", "--out-dir", work.path()});
    ASSERT_TRUE(merge.waitForFinished(10000));
    ASSERT_EQ(merge.exitCode(), 0) << merge.readAllStandardError().toStdString();

    showWindow();
    ui::TForm1& form = windows->form1();
    form.findChild<QPushButton*>("btnConnect")->click();
    ASSERT_EQ(panel(1), linkPath + ": Connected");
    form.findChild<QLineEdit*>("edtFWFile")->setText(work.filePath("Vorpanix_mm3.7_ms1.4.fw"));
    form.findChild<QPushButton*>("btnUpgrade")->click();

    const QString log = form.findChild<QPlainTextEdit*>("mmoMessage")->toPlainText();
    EXPECT_TRUE(log.endsWith("Firmware upgrade successfully!")) << log.toStdString();
    EXPECT_EQ(ReadAll(received.filePath("Part_1.1.3.7.bin")), main);
    EXPECT_EQ(ReadAll(received.filePath("Part_2.1.1.4.bin")), slave);
    form.findChild<QPushButton*>("btnGetDevStatus")->click();
    EXPECT_EQ(form.findChild<QLabel*>("lblVersion")->text(), "Version: 3.7");
}

}  // namespace

#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>

#include "ScriptedDialogs.h"
#include "WindowHarness.h"
#include "link/ComPort.h"
#include "link/EventLoopPump.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/mainwindow/ProgramWindows.h"
#include "ui/mainwindow/StatusBar.h"
#include "ui/platform/SystemServices.h"

namespace {

using testing_support::RecordingSleeper;
using testing_support::ScriptedDialogs;

// The real program's parts against the matrix-sim program on a pseudo-terminal.
struct SimulatorPty : ::testing::Test {
    void SetUp() override {
        linkPath = linkDir.filePath("ttySIM0");
        sim.setProcessChannelMode(QProcess::MergedChannels);
        sim.start(QStringLiteral(MATRIX_SIM_PATH), {"--link", linkPath, "--quiet"});
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
        env.linkParts.clock = &clock;
        env.dialogs = &dialogs;
        env.serialPorts = &ports;
        env.sleeper = &sleeper;
        env.dateTime = &dateTime;
        env.settingsPath = file.fileName();
        windows = std::make_unique<ui::ProgramWindows>(std::move(env));
        windows->form1().show();
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
    const auto result = form.Commands().ExecCommand("Setting...", 0x02, 0x03, 5, 3);
    EXPECT_TRUE(result.succeeded());
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

}  // namespace

// TCP control mode as an operator meets it, over real sockets to the matrix-sim program on a
// loopback address of its own: the search wizard finds the switcher by its address, the
// operator chooses it, connects, reads the device status and switches a route.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>

#include "ModalScript.h"
#include "ScriptedDialogs.h"
#include "WindowHarness.h"
#include "lan/TcpStreamClient.h"
#include "lan/UdpDatagramSocket.h"
#include "support/FastClock.h"
#include "transport/ComPort.h"
#include "transport/EventLoopPump.h"
#include "ui/dialogs/SearchWizard.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/mainwindow/ProgramWindows.h"
#include "ui/mainwindow/StatusBar.h"

namespace {

const QString kAddress = QStringLiteral("127.0.0.3");
constexpr int kWaitMs = 10000;

struct TcpControlFlow : ::testing::Test {
    void SetUp() override {
        sim.setProcessChannelMode(QProcess::MergedChannels);
        sim.start(QStringLiteral(MATRIX_SIM_PATH),
                  {"--quiet", "--tcp", kAddress, "--port", "8000", "--udp-address", kAddress,
                   "--module-ip", kAddress});
        ASSERT_TRUE(sim.waitForStarted(kWaitMs));
        QByteArray output;
        const QDeadlineTimer deadline(kWaitMs);
        while (!(output.contains("TCP ") && output.contains("UDP ")) && !deadline.hasExpired() &&
               sim.waitForReadyRead(500)) {
            output += sim.readAll();
        }
        ASSERT_TRUE(output.contains("TCP ") && output.contains("UDP ")) << output.data();
    }
    void TearDown() override {
        windows.reset();
        sim.kill();
        sim.waitForFinished(kWaitMs);
    }

    void showWindow() {
        QFile file(settingsDir.filePath("Settings.ini"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[Control mode]\nMode=1\n");
        file.close();
        ui::TForm1Environment env;
        env.linkParts.serial = std::make_unique<devlink::TComPort>();
        env.linkParts.tcp = std::make_unique<lan::TcpStreamClient>();
        env.linkParts.udp = std::make_unique<lan::UdpDatagramSocket>();
        env.linkParts.pump = &pump;
        env.linkParts.clock = &clock;
        env.linkParts.flags = &guard;
        env.dialogs = &dialogs;
        env.serialPorts = &ports;
        env.sleeper = &sleeper;
        env.dateTime = &dateTime;
        env.settingsPath = file.fileName();
        windows = std::make_unique<ui::ProgramWindows>(std::move(env));
        testing_support::showWithEveryPage(windows->form1());
    }
    template <class T>
    T* find(const char* name) const {
        return windows->form1().findChild<T*>(QLatin1String(name));
    }
    QString panel(int n) const { return find<ui::TStatusBar>("sb")->panelText(n); }

    QProcess sim;
    QTemporaryDir settingsDir;
    devlink::EventLoopPump pump;
    testing_support::FastClock clock;
    devlink::LinkGuard guard;
    testing_support::ScriptedDialogs dialogs;
    testing_support::FakePortLister ports;
    testing_support::RecordingSleeper sleeper;
    testing_support::FixedDateTime dateTime;
    std::unique_ptr<ui::ProgramWindows> windows;
};

// The wizard once the search its page started has ended.
void settle(const ui::TfrmSearch& wizard) {
    const QDeadlineTimer deadline(kWaitMs);
    while (wizard.page() == 1 && !deadline.hasExpired()) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    }
}

TEST_F(TcpControlFlow, FoundByAddressChosenConnectedAndRouted) {
    showWindow();
    int broadcastPage = 0;
    testing_support::onNextModal([&](QDialog& dialog) {
        auto& wizard = dynamic_cast<ui::TfrmSearch&>(dialog);
        settle(wizard);
        broadcastPage = wizard.page();
        if (broadcastPage == 2) {
            // A module on this machine's own network answered too: look further.
            wizard.findChild<QPushButton*>("btnNo")->click();
        }
        const QStringList numbers = kAddress.split('.');
        for (int n = 1; n <= 4; ++n) {
            wizard.findChild<QLineEdit*>(QStringLiteral("edtIPField%1").arg(n))
                ->setText(numbers[n - 1]);
        }
        wizard.findChild<QPushButton*>("btnGO")->click();
        settle(wizard);
        auto* list = wizard.findChild<QComboBox*>("cbMXDevice1");
        const QString wanted = "[Matrix]-[Static IP]-[" + kAddress + "]-[00-1A-2B-3C-4D-01]-[";
        for (int i = 0; i < list->count(); ++i) {
            if (list->itemText(i).startsWith(wanted)) list->setCurrentIndex(i);
        }
        wizard.findChild<QPushButton*>("btnDone")->click();
    });
    find<QPushButton>("btnSearchDevice")->click();
    EXPECT_NE(broadcastPage, 4);
    EXPECT_EQ(panel(2), "Search TCP control device ok");
    auto* devices = find<QComboBox>("cbLANDevice");
    const int chosen = devices->findText("[Matrix]-[Static IP]-[" + kAddress +
                                         "]-[00-1A-2B-3C-4D-01]-[Cross Subnet]");
    ASSERT_GE(chosen, 0);
    devices->setCurrentIndex(chosen);
    devices->activated(chosen);
    ASSERT_EQ(windows->form1().Link()->DeviceIP(), kAddress);

    find<QPushButton>("btnConnect")->click();
    ASSERT_EQ(panel(1), kAddress + ": Connected") << panel(2).toStdString();
    find<QPushButton>("btnGetDevStatus")->click();
    EXPECT_NE(find<QLabel>("lblVersion")->text(), "Version: Not known");
    testing_support::routeButton(windows->form1(), 3, 5)->click();
    EXPECT_TRUE(dialogs.texts("information").isEmpty());
    EXPECT_EQ(panel(2), "Done");
}

}  // namespace

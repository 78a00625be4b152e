#include <gtest/gtest.h>

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "WindowHarness.h"
#include "link/Commands.h"

namespace {

using testing_support::WindowHarness;

constexpr char kComSettings[] = "[Control mode]\nMode=0\n[COM port]\nName=ttySIM\n";

struct ComWindow : ::testing::Test {
    void SetUp() override {
        h.ports.names = {"ttyS0", "ttySIM"};
        h.writeSettings(kComSettings);
        h.show();
    }
    QPushButton* connectButton() const { return h.find<QPushButton>("btnConnect"); }
    QComboBox* ports() const { return h.find<QComboBox>("cbCOMList"); }
    bool openPictureShown() const { return !h.find<QLabel>("imgOpen")->isHidden(); }
    bool closedPictureShown() const { return !h.find<QLabel>("imgClose")->isHidden(); }

    WindowHarness h;
};

TEST_F(ComWindow, ConnectOpensTheSelectedPortAndDisconnectClosesIt) {
    connectButton()->click();
    EXPECT_TRUE(h.transport->isOpen());
    EXPECT_EQ(h.transport->portName(), "ttySIM");
    EXPECT_EQ(h.panel(1), "ttySIM: Connected");
    EXPECT_EQ(h.panel(2), "");
    EXPECT_EQ(connectButton()->text(), "&Disconnect");
    EXPECT_TRUE(connectButton()->isEnabled());
    EXPECT_FALSE(ports()->isEnabled());
    EXPECT_TRUE(openPictureShown());
    EXPECT_FALSE(closedPictureShown());
    EXPECT_EQ(h.sleeper.sleeps, std::vector<int>({100}));

    connectButton()->click();
    EXPECT_FALSE(h.transport->isOpen());
    EXPECT_EQ(h.panel(1), "Disconnect");
    EXPECT_EQ(connectButton()->text(), "&Connect");
    EXPECT_TRUE(ports()->isEnabled());
    EXPECT_FALSE(openPictureShown());
    EXPECT_TRUE(closedPictureShown());
}

TEST_F(ComWindow, ConnectedLinkRunsACommandAgainstTheSimulator) {
    connectButton()->click();
    h.find<QPushButton>("btnGetDevStatus")->click();
    testing_support::routeButton(h.form(), 3, 5)->click();
    EXPECT_EQ(h.sim.state().routes[2], 5);
    EXPECT_EQ(h.panel(2), "Done");
    ASSERT_FALSE(h.transport->written.isEmpty());
    EXPECT_EQ(h.transport->written.last().left(4), QByteArray("\xA5\x5B\x02\x03", 4));
}

TEST_F(ComWindow, CommandConnectsOnDemand) {
    h.find<QPushButton>("btnGetDevStatus")->click();
    EXPECT_FALSE(h.transport->written.isEmpty());
    EXPECT_EQ(h.panel(1), "ttySIM: Connected");
}

TEST_F(ComWindow, FailedOpenBlinksAndStaysDisconnected) {
    h.transport->failOpen = true;
    std::vector<bool> alertAtSleep;
    h.sleeper.onSleep = [&](int) { alertAtSleep.push_back(h.alertShown()); };
    connectButton()->click();
    EXPECT_EQ(h.panel(2), "Open COM [ttySIM] failed");
    EXPECT_EQ(h.panel(3), "");
    EXPECT_TRUE(h.alertShown());
    EXPECT_EQ(h.panel(1), "Disconnect");
    EXPECT_EQ(connectButton()->text(), "&Connect");
    EXPECT_TRUE(connectButton()->isEnabled());
    EXPECT_TRUE(closedPictureShown());
    // Six blink steps of 350 ms, then the pause after the click.
    EXPECT_EQ(h.sleeper.sleeps, std::vector<int>({350, 350, 350, 350, 350, 350, 100}));
    EXPECT_EQ(alertAtSleep, std::vector<bool>({false, true, false, true, false, true, true}));
}

TEST_F(ComWindow, FailedOpenSaysWhyWhenTheOperatorCanMendIt) {
    h.transport->failOpen = true;
    h.transport->failOpenCause = "permission denied on /dev/ttySIM";
    connectButton()->click();
    EXPECT_EQ(h.panel(2), "Open COM [ttySIM] failed");
    EXPECT_EQ(h.panel(3), "permission denied on /dev/ttySIM");
    EXPECT_TRUE(h.alertShown());
    EXPECT_EQ(h.panel(1), "Disconnect");
}

TEST_F(ComWindow, VanishedOpenPortDisconnectsAndSelectsTheFirst) {
    connectButton()->click();
    ASSERT_TRUE(h.transport->isOpen());
    h.ports.names = {"ttyUSB1", "ttyS0"};
    h.form().tmrTimer();
    EXPECT_FALSE(h.transport->isOpen());
    EXPECT_EQ(h.panel(1), "Disconnect");
    ASSERT_EQ(ports()->count(), 2);
    EXPECT_EQ(ports()->itemText(0), "ttyUSB1");
    EXPECT_EQ(ports()->itemText(1), "ttyS0");
    EXPECT_EQ(ports()->currentIndex(), 0);
    EXPECT_EQ(connectButton()->text(), "&Connect");
}

TEST_F(ComWindow, NewPortKeepsTheOpenOneSelectedAndConnected) {
    connectButton()->click();
    h.ports.names = {"ttyUSB1", "ttyS0", "ttySIM"};
    h.form().tmrTimer();
    EXPECT_TRUE(h.transport->isOpen());
    EXPECT_EQ(ports()->currentText(), "ttySIM");
}

TEST_F(ComWindow, UnchangedListKeepsTheOperatorsChoice) {
    ports()->setCurrentIndex(0);
    h.ports.names = {"ttySIM", "ttyS0"};  // same names, other order: not a change
    h.form().tmrTimer();
    EXPECT_EQ(ports()->itemText(0), "ttyS0");
    EXPECT_EQ(ports()->currentIndex(), 0);
}

TEST_F(ComWindow, RepeatedPortNameIsListedOnce) {
    h.ports.names = {"ttyS0", "ttyS0", "ttyUSB0", "ttyS0"};
    h.form().tmrTimer();
    ASSERT_EQ(ports()->count(), 2);
    EXPECT_EQ(ports()->itemText(0), "ttyS0");
    EXPECT_EQ(ports()->itemText(1), "ttyUSB0");
}

TEST_F(ComWindow, TimerWritesTheClockToTheMinute) {
    h.dateTime.value = QDateTime(QDate(2026, 3, 4), QTime(5, 6, 59));
    h.form().tmrTimer();
    EXPECT_EQ(h.panel(4), "2026-03-04 05:06");
    EXPECT_EQ(h.panel(5), "");
}

TEST_F(ComWindow, SwitchingToTcpModeDisconnects) {
    connectButton()->click();
    h.find<QRadioButton>("rbLANMode")->click();
    EXPECT_FALSE(h.transport->isOpen());
    EXPECT_EQ(h.form().Link()->ControlMode(), devlink::cmLAN);
    EXPECT_EQ(h.panel(1), "Disconnect");
}

TEST_F(ComWindow, SwitchingToTcpModeClearsTheBusyNoticeAndKeepsTheStatus) {
    h.form().ShowStatus(devlink::StatusPanel::Operation, "Done", false);
    h.form().ShowStatus(devlink::StatusPanel::Notes, "In processing, command ignored", false);
    h.find<QRadioButton>("rbLANMode")->click();
    EXPECT_EQ(h.panel(2), "Done");
    EXPECT_EQ(h.panel(3), "");
}

TEST(TcpWindow, ConnectWithoutModuleClientFails) {
    WindowHarness h;
    h.show();
    h.find<QPushButton>("btnConnect")->click();
    EXPECT_EQ(h.panel(2), "Connect 0.0.0.0 failed");
    EXPECT_TRUE(h.alertShown());
    EXPECT_EQ(h.panel(1), "Disconnect");
}

struct Enabling {
    devlink::TControlMode mode;
    bool locked;
    bool comGroups;
    bool lanGroup;
    bool unlocked;
};

std::string nameOf(const Enabling& e) {
    return std::string(e.mode == devlink::cmCOM ? "ComMode" : "LanMode") +
           (e.locked ? "Locked" : "Unlocked");
}

void PrintTo(const Enabling& e, std::ostream* os) {
    *os << nameOf(e);
}

class ModeEnabling : public ::testing::TestWithParam<Enabling> {};

TEST_P(ModeEnabling, GroupsFollowModeAndLock) {
    WindowHarness h;
    h.show();
    const Enabling& e = GetParam();
    h.connection().ApplyModeEnabling(e.mode, e.locked);
    const auto enabled = [&](const char* name) {
        return h.find<QWidget>(QLatin1String(name))->isEnabled();
    };
    for (const char* name : {"gbCOMMode", "cbCOMList", "lblPort", "gbTCPModInfo", "lblTCPVersion",
                             "btnQueryTCPModInfo", "gbResetDefault", "btnReset"}) {
        EXPECT_EQ(enabled(name), e.comGroups) << name;
    }
    for (const char* name :
         {"gbLANMode", "cbLANDevice", "btnSearchDevice", "btnConfig", "btnDeleteDevice"}) {
        EXPECT_EQ(enabled(name), e.lanGroup) << name;
    }
    for (const char* name :
         {"gbModeSelect", "rbCOMMode", "rbLANMode", "btnConnect", "btnGetDevStatus"}) {
        EXPECT_EQ(enabled(name), e.unlocked) << name;
    }
    for (const char* name : {"gbCOMMode", "gbLANMode", "gbModeSelect", "gbTCPModInfo"}) {
        auto* group = h.find<QGroupBox>(QLatin1String(name));
        const QColor caption = group->palette().color(
            group->isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText);
        EXPECT_EQ(caption, group->isEnabled() ? QColor(Qt::black) : QColor(128, 128, 128)) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(Modes, ModeEnabling,
                         ::testing::Values(Enabling{devlink::cmCOM, false, true, false, true},
                                           Enabling{devlink::cmLAN, false, false, true, true},
                                           Enabling{devlink::cmCOM, true, false, false, false},
                                           Enabling{devlink::cmLAN, true, false, false, false}),
                         [](const auto& info) { return nameOf(info.param); });

}  // namespace

#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QPushButton>

#include "WindowHarness.h"
#include "support/CaseName.h"
#include "widgets/VKGauge.h"

namespace {

using devlink::LinkNotification;
using testing_support::WindowHarness;

constexpr char kComSettings[] = "[Control mode]\nMode=0\n[COM port]\nName=ttySIM\n";
constexpr char kSideNote[] = "In processing, command ignored";

struct StatusCase {
    const char* name;
    bool comMode;
    bool connected;
    LinkNotification notification;
    const char* panel2;  // nullptr: panel 2 untouched
    bool alert;
};

void PrintTo(const StatusCase& c, std::ostream* os) {
    *os << c.name;
}

class NotificationStatus : public ::testing::TestWithParam<StatusCase> {};

TEST_P(NotificationStatus, ShowsItsText) {
    const StatusCase& c = GetParam();
    WindowHarness h;
    h.ports.names = {"ttySIM"};
    if (c.comMode) h.writeSettings(kComSettings);
    h.show();
    if (c.connected) h.find<QPushButton>("btnConnect")->click();
    h.form().ShowStatus(devlink::StatusPanel::Operation, "before", false);
    h.form().ShowStatus(devlink::StatusPanel::Notes, kSideNote, false);
    h.sleeper.sleeps.clear();

    h.form().linkNotification(c.notification);

    if (c.panel2 == nullptr) {
        EXPECT_EQ(h.panel(2), "before");
        EXPECT_EQ(h.panel(3), kSideNote);
        EXPECT_TRUE(h.sleeper.sleeps.empty());
        return;
    }
    EXPECT_EQ(h.panel(2), QString::fromUtf8(c.panel2));
    EXPECT_EQ(h.alertShown(), c.alert);
    EXPECT_EQ(h.sleeper.totalMs(), c.alert ? 2100 : 0);
    if (c.alert) {
        EXPECT_EQ(h.panel(3), "");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, NotificationStatus,
    ::testing::Values(
        StatusCase{"RxCount", true, false, {2024, 13, 0, {}}, nullptr, false},
        StatusCase{"FrameLog", true, false, {2025, 0, 0, "frame"}, nullptr, false},
        StatusCase{"TimeOut", true, false, {2026, 0, 0, {}}, "Time out!", true},
        StatusCase{"DataLog", true, false, {2028, 0, 0, "data"}, nullptr, false},
        StatusCase{"Invalid", true, false, {2029, 0, 0, {}}, "Data invalid!", true},
        StatusCase{"Done", true, false, {2030, 0, 0, {}}, nullptr, false},
        StatusCase{"ComError", true, false, {2031, 0, 0, {}}, "COM access failed!", true},
        StatusCase{"TcpError", false, false, {2031, 0, 0, {}}, "TCP control failed!", true},
        StatusCase{"OpenFailed", true, false, {2032, 0, 0, {}}, "Open COM [ttySIM] failed", true},
        StatusCase{"CloseFailed", true, true, {2032, 1, 0, {}}, "Close COM [ttySIM] failed", true},
        StatusCase{"ConnectFailed", false, false, {2032, 0, 0, {}}, "Connect 0.0.0.0 failed", true},
        StatusCase{"NoReply", true, false, {2037, 0, 0, {}}, "Send data failed!", true},
        StatusCase{
            "LanStatus", false, false, {2039, 0, 1, "Searching ..."}, "Searching ...", false},
        StatusCase{"SearchProgress", false, false, {2039, 0, 0, "found 1"}, nullptr, false},
        StatusCase{"LanOther", false, false, {2039, 0, 2, "odd"}, nullptr, false},
        StatusCase{"Unused2027", true, false, {2027, 0, 0, {}}, nullptr, false},
        StatusCase{"Unused2036", true, false, {2036, 0, 0, {}}, nullptr, false},
        StatusCase{"Outside", true, false, {2040, 0, 0, {}}, nullptr, false}),
    testing_support::CaseNamer([](const auto& c) { return std::string(c.name); }));

struct FirmwareMessages : ::testing::Test {
    void SetUp() override { h.show(); }
    QStringList memoLines() const {
        return h.find<QPlainTextEdit>("mmoMessage")->toPlainText().split('\n');
    }
    void send(int message, qint64 w, qint64 l, const QString& text = {}) {
        h.form().linkNotification({message, w, l, text});
    }
    WindowHarness h;
};

TEST_F(FirmwareMessages, RefusedPartIsLoggedWithItsFourBytes) {
    send(2034, 0x0102, 0xFF04);
    EXPECT_EQ(memoLines(), QStringList({"Write to Part_1.2.255.4 failed"}));
}

TEST_F(FirmwareMessages, ProgressUpdatesTheGaugeOnlyWhenThePercentChanges) {
    auto* gauge = h.find<widgets::TVKGauge>("tsgFWProgress");
    EXPECT_EQ(gauge->caption(), "Upgrade progress");
    send(2035, 0x0A0B, 40);
    EXPECT_EQ(gauge->caption(), "Upgrading Part_10.11");
    EXPECT_EQ(gauge->progress(), 40);
    send(2035, 0x0C0D, 40);
    EXPECT_EQ(gauge->caption(), "Upgrading Part_10.11");
    send(2035, 0x0C0D, 41);
    EXPECT_EQ(gauge->caption(), "Upgrading Part_12.13");
    EXPECT_EQ(gauge->progress(), 41);
}

TEST_F(FirmwareMessages, RebootLinesReplaceEachOtherAndPlainLinesFollow) {
    send(2038, 0, 0, "Upgrading Part_1.2 ...");
    send(2038, 0, 1, "System rebooting, please wait ... |");
    send(2038, 0, 1, "System rebooting, please wait ... /");
    send(2038, 0, 1, "System rebooting, please wait ... -");
    send(2038, 0, 0, "Upgrade complete");
    send(2038, 0, 1, "System rebooting, please wait ... |");
    EXPECT_EQ(memoLines(),
              QStringList({"Upgrading Part_1.2 ...", "System rebooting, please wait ... -",
                           "Upgrade complete", "System rebooting, please wait ... |"}));
}

TEST_F(FirmwareMessages, ClearButtonEmptiesTheLog) {
    send(2038, 0, 0, "line");
    h.find<QPushButton>("Button1")->click();
    EXPECT_EQ(h.find<QPlainTextEdit>("mmoMessage")->toPlainText(), "");
}

TEST(StatusBar, AlertBlinksSixStepsAndStaysRed) {
    WindowHarness h;
    h.show();
    std::vector<bool> alertAtSleep;
    h.sleeper.onSleep = [&](int) { alertAtSleep.push_back(h.alertShown()); };
    h.form().ShowStatus(devlink::StatusPanel::Operation, "Time out!", true);
    EXPECT_EQ(h.sleeper.sleeps, std::vector<int>(6, 350));
    EXPECT_EQ(alertAtSleep, std::vector<bool>({false, true, false, true, false, true}));
    EXPECT_TRUE(h.alertShown());
    h.form().ShowStatus(devlink::StatusPanel::Operation, "Setting...", false);
    EXPECT_FALSE(h.alertShown());
    EXPECT_EQ(h.panel(2), "Setting...");
}

TEST(StatusBar, AlertWhileClosingWritesNothing) {
    WindowHarness h;
    h.show();
    h.form().ShowStatus(devlink::StatusPanel::Operation, "Setting...", false);
    h.guard.requestStop();
    h.form().ShowStatus(devlink::StatusPanel::Operation, "Time out!", true);
    EXPECT_EQ(h.panel(2), "Setting...");
    EXPECT_FALSE(h.alertShown());
    EXPECT_TRUE(h.sleeper.sleeps.empty());
}

TEST(StatusBar, OtherPanelsTakeTheirTextWithoutBlinking) {
    WindowHarness h;
    h.show();
    using devlink::StatusPanel;
    for (StatusPanel panel : {StatusPanel::Connection, StatusPanel::Notes, StatusPanel::Clock}) {
        const int index = static_cast<int>(panel);
        h.form().ShowStatus(panel, QStringLiteral("text %1").arg(index), true);
        EXPECT_EQ(h.panel(index), QStringLiteral("text %1").arg(index));
    }
    // Panel 5 has no writer: it stays empty.
    EXPECT_EQ(h.panel(5), QString());
    EXPECT_TRUE(h.sleeper.sleeps.empty());
}

}  // namespace

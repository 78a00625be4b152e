#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include "WindowHarness.h"
#include "settings/IniFile.h"
#include "ui/presenters/general/DeviceStatusPresenter.h"

namespace {

using testing_support::WindowHarness;

constexpr char kBusyQuestion[] = "Processing not complete, continue to close controller?";
constexpr char kConnectingNote[] = "Connection in process, please wait...";

// A module connection that is still being made when the operator asks to close.
class StallingStream final : public devlink::StreamClient {
public:
    void connectTo(const QString&, quint16, int) override {
        if (whileConnecting) whileConnecting();
        throw devlink::TransportError(QStringLiteral("refused"));
    }
    void disconnectFromHost() override {}
    bool isConnected() const override { return false; }
    void discardPending() override {}
    void sendAll(const QByteArray&) override {}
    QByteArray takeBuffered() override { return {}; }
    std::function<void()> whileConnecting;
};

void freeDeferred() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(CloseQuery, IdleWindowClosesSavesAndFreesTheLink) {
    WindowHarness h;
    h.ports.names = {"ttyS0", "ttyUSB0"};
    h.show();
    h.find<QComboBox>("cbCOMList")->setCurrentIndex(1);
    EXPECT_TRUE(h.form().close());
    EXPECT_FALSE(h.form().isVisible());
    EXPECT_TRUE(h.guard.stopRequested());
    EXPECT_TRUE(h.dialogs.shown.empty());
    EXPECT_EQ(config::readIniFile(h.settingsPath).document.value("COM port", "Name"), "ttyUSB0");
    freeDeferred();
    EXPECT_EQ(h.form().Link(), nullptr);
}

TEST(CloseQuery, WhileConnectingTheWindowStaysOpen) {
    WindowHarness h;
    auto stream = std::make_unique<StallingStream>();
    StallingStream* rawStream = stream.get();
    h.tcp = std::move(stream);
    h.show();
    bool closed = true;
    rawStream->whileConnecting = [&] { closed = h.form().close(); };
    h.connection().btnConnectClick();
    EXPECT_FALSE(closed);
    EXPECT_TRUE(h.form().isVisible());
    EXPECT_FALSE(h.guard.stopRequested());
    EXPECT_EQ(h.dialogs.texts("information"), QStringList({kConnectingNote}));
    EXPECT_TRUE(h.dialogs.texts("question").isEmpty());
}

class BusyClose : public ::testing::TestWithParam<bool> {};

TEST_P(BusyClose, AsksAndFollowsTheAnswer) {
    const bool yes = GetParam();
    WindowHarness h;
    h.show();
    h.guard.setIdle(false);
    h.dialogs.answers = {yes};
    EXPECT_EQ(h.form().close(), yes);
    EXPECT_EQ(h.dialogs.texts("question"), QStringList({kBusyQuestion}));
    EXPECT_EQ(h.form().isVisible(), !yes);
    EXPECT_EQ(h.guard.stopRequested(), yes);
}

INSTANTIATE_TEST_SUITE_P(Answers, BusyClose, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Yes" : "No"; });

TEST(CloseQuery, FailedSaveAtCloseIsReportedAndTheWindowStillCloses) {
    WindowHarness h;
    h.settingsPath = h.dir.filePath("missing/Settings.ini");
    h.show();
    h.dialogs.shown.clear();
    EXPECT_TRUE(h.form().close());
    EXPECT_EQ(h.dialogs.texts("error"), QStringList({"Unable to write to " + h.settingsPath}));
}

TEST(CloseQuery, TimerStopsWithTheWindow) {
    WindowHarness h;
    h.show();
    auto* timer = h.find<QTimer>("tmr");
    EXPECT_TRUE(timer->isActive());
    h.form().close();
    EXPECT_FALSE(timer->isActive());
}

struct PageCase {
    bool powerOn;
    bool linkIdle;
    bool changes;
};

std::string nameOf(const PageCase& c) {
    return std::string(c.powerOn ? "PowerOn" : "PowerOff") + (c.linkIdle ? "Idle" : "Busy");
}

void PrintTo(const PageCase& c, std::ostream* os) {
    *os << nameOf(c) << (c.changes ? " changes" : " stays");
}

class PageGuard : public ::testing::TestWithParam<PageCase> {};

TEST_P(PageGuard, AllowsChangesOnlyWhenSafe) {
    WindowHarness h;
    h.ports.names = {"ttySIM"};
    h.writeSettings("[Control mode]\nMode=0\n[COM port]\nName=ttySIM\n");
    h.show();
    // The power state is only ever learnt from the switcher.
    h.sim.state().powerOn = GetParam().powerOn;
    ASSERT_TRUE(h.form().DeviceStatus().ReadPowerState());
    ASSERT_EQ(h.form().PowerOn(), GetParam().powerOn);
    h.guard.setIdle(GetParam().linkIdle);
    auto* pages = h.find<QTabWidget>("pcContainer");
    QTabBar* tabs = pages->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
    EXPECT_EQ(pages->currentIndex(), GetParam().changes ? 2 : 0);
}

INSTANTIATE_TEST_SUITE_P(States, PageGuard,
                         ::testing::Values(PageCase{false, true, true},
                                           PageCase{false, false, true}, PageCase{true, true, true},
                                           PageCase{true, false, false}),
                         [](const auto& info) { return nameOf(info.param); });

}  // namespace

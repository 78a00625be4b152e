#include <gtest/gtest.h>

#include <QLoggingCategory>

#include "link/Commands.h"
#include "support/ScriptedReplies.h"
#include "support/SimHarness.h"

using namespace devlink;
using namespace testing_support;

namespace {

const Frame kDeviceType = BuildFrame(0x01, 0x01, 0xFE);

TEST(Transact, AcceptsTheSimulatorsReplyOnTheFirstAttempt) {
    LinkHarness h;
    h.sim.state().deviceType = 2;
    const CommandResult r = h.link->Transact(kDeviceType);
    EXPECT_EQ(r.ok, 1);
    EXPECT_EQ(r.reply[4], 2);
    EXPECT_EQ(h.transport->written.size(), 1);
    EXPECT_TRUE(h.observer.outcomes().empty());
    const auto frameLogs = h.observer.texts(WM_LINK_FRAMELOG);
    ASSERT_EQ(frameLogs.size(), 2u);
    EXPECT_TRUE(
        frameLogs[0].startsWith(QStringLiteral("[1] snd cmd PPP:   \r\nA5 5B 01 01 [FE UU 00]")));
    EXPECT_TRUE(
        frameLogs[1].startsWith(QStringLiteral("rcv cmd PPP:   \r\nA5 5B 01 01 [02 UU 00]")));
}

// The traffic texts cost more than the exchange: they exist only for a receiver that asks for
// them or while the traffic log is on, and are then the same texts.
TEST(TrafficTexts, AreBuiltOnlyForAReaderAndAlwaysTheSame) {
    static QStringList logged;
    const auto trafficTexts = [](bool asked, bool logOn) {
        logged.clear();
        QLoggingCategory::setFilterRules(logOn ? QStringLiteral("gc.link.traffic.debug=true")
                                               : QString());
        const QtMessageHandler previous = qInstallMessageHandler(
            [](QtMsgType, const QMessageLogContext&, const QString& text) { logged << text; });
        LinkHarness h;
        h.link->SetTrafficTexts(asked);
        h.link->Transact(kDeviceType);
        qInstallMessageHandler(previous);
        QLoggingCategory::setFilterRules(QString());
        QStringList texts;
        for (const auto& n : h.observer.received) {
            if (n.message == WM_LINK_FRAMELOG || n.message == WM_LINK_DATALOG) texts << n.text;
        }
        return texts;
    };
    const QStringList asked = trafficTexts(true, false);
    ASSERT_EQ(asked.size(), 4);  // sent frame, receive position, dump, received frame
    EXPECT_TRUE(asked[0].startsWith(QStringLiteral("[1] snd cmd PPP:   \r\n")));
    EXPECT_EQ(asked[1], QStringLiteral("CopyDataPosition = 0\r\n"));
    EXPECT_TRUE(asked[2].startsWith(QString(48, u'*') + QStringLiteral("\r\n0xA5, 0x5B, ")));
    EXPECT_TRUE(logged.isEmpty());
    EXPECT_EQ(trafficTexts(false, true), asked);
    EXPECT_EQ(logged, asked);
    EXPECT_TRUE(trafficTexts(false, false).isEmpty());
}

TEST(Transact, RebuildsLeadBytesAndChecksumOfTheCallersFrame) {
    LinkHarness h;
    Frame sloppy{};
    sloppy[2] = 0x02;
    sloppy[3] = 0x03;
    SetParam(sloppy, 1, 5);
    SetParam(sloppy, 2, 3);
    h.link->Transact(sloppy);
    EXPECT_EQ(h.sentFrames().at(0), BuildFrame(0x02, 0x03, 5, 3));
    EXPECT_EQ(h.sim.state().routes[2], 5);
}

TEST(Transact, CompletesAReplyArrivingInPieces) {
    LinkHarness h;
    h.sim.injectFault({sim::FaultKind::Split, 1, -1, -1, 0, 4, {}});
    const CommandResult r = h.link->Transact(kDeviceType);
    EXPECT_EQ(r.ok, 1);
    EXPECT_EQ(h.transport->written.size(), 1);
    const auto rx = std::count_if(h.observer.received.begin(), h.observer.received.end(),
                                  [](const auto& n) { return n.message == WM_LINK_RXCOUNT; });
    EXPECT_EQ(rx, 4);
}

TEST(Transact, DropsBytesBeyondTheReplyButCountsTheWholeDelivery) {
    LinkHarness h;
    h.sim.injectFault({sim::FaultKind::TrailingBytes, 1, -1, -1, 0, 2, QByteArray(7, '\x33')});
    const CommandResult r = h.link->Transact(kDeviceType);
    EXPECT_EQ(r.ok, 1);
    int counted = 0;
    for (const auto& n : h.observer.received)
        if (n.message == WM_LINK_RXCOUNT) counted += static_cast<int>(n.wParam);
    EXPECT_EQ(counted, 20);
}

TEST(Transact, FiveSilentAttemptsTakeTwentyFiveSecondsAndNotifyOneTimeout) {
    LinkHarness h;
    h.sim.injectFault({sim::FaultKind::NoReply, -1, -1, -1, 0, 2, {}});
    const CommandResult r = h.link->Transact(kDeviceType);
    EXPECT_EQ(r.ok, 0);
    EXPECT_EQ(h.transport->written.size(), 5);
    EXPECT_GE(h.clock.nowMs(), 25000);
    EXPECT_LT(h.clock.nowMs(), 25100);
    EXPECT_EQ(h.observer.outcomes(), std::vector<int>{WM_LINK_TIMEOUT});
}

TEST(Transact, FourRejectionsThenATimeoutIsATimeout) {
    LinkHarness h;
    h.sim.injectFault({sim::FaultKind::StatusFF, 4, -1, -1, 0, 2, {}});
    h.sim.injectFault({sim::FaultKind::NoReply, 1, -1, -1, 0, 2, {}});
    EXPECT_EQ(h.link->Transact(kDeviceType).ok, 0);
    EXPECT_EQ(h.observer.outcomes(), std::vector<int>{WM_LINK_TIMEOUT});
}

TEST(Transact, FiveRefusalsGiveNoReplyAndKeepTheLastReply) {
    LinkHarness h;
    h.sim.injectFault({sim::FaultKind::StatusFF, -1, -1, -1, 0, 2, {}});
    const CommandResult r = h.link->Transact(kDeviceType);
    EXPECT_EQ(r.ok, 0);
    EXPECT_EQ(r.reply[4], 0xFF);
    EXPECT_EQ(r.reply[2], 0x01);
    EXPECT_EQ(h.transport->written.size(), 5);
    EXPECT_EQ(h.observer.outcomes(), std::vector<int>{WM_LINK_NOREPLY});
}

struct RejectCase {
    sim::FaultKind kind;
    const char* what;
};

TEST(Transact, RetriesEveryKindOfUnacceptableReply) {
    const RejectCase cases[] = {
        {sim::FaultKind::BadChecksum, "bad checksum"},
        {sim::FaultKind::WrongGroup, "wrong group"},
        {sim::FaultKind::WrongCode, "wrong code"},
        {sim::FaultKind::ChecksumRightWrongContent, "right checksum over wrong content"},
    };
    for (const auto& c : cases) {
        LinkHarness h;
        h.sim.injectFault({c.kind, 2, -1, -1, 0, 2, {}});
        const CommandResult r = h.link->Transact(kDeviceType);
        EXPECT_EQ(r.ok, 1) << c.what;
        EXPECT_EQ(h.transport->written.size(), 3) << c.what;
        EXPECT_TRUE(h.observer.outcomes().empty()) << c.what;
    }
}

TEST(Transact, SurvivesGarbageOfAnyLength) {
    for (int length : {1, 12, 13, 14, 300, 2000}) {
        LinkHarness h;
        QByteArray garbage(length, '\0');
        for (int i = 0; i < length; ++i) garbage[i] = static_cast<char>(i * 37 + 11);
        h.sim.injectFault({sim::FaultKind::Garbage, -1, -1, -1, 0, 2, garbage});
        const CommandResult r = h.link->Transact(kDeviceType);
        EXPECT_EQ(r.ok, 0) << length;
        const auto outcomes = h.observer.outcomes();
        ASSERT_EQ(outcomes.size(), 1u);
        EXPECT_EQ(outcomes[0], length < 13 ? WM_LINK_TIMEOUT : WM_LINK_NOREPLY) << length;
    }
}

TEST(Transact, StopRequestedAtEntrySendsNothing) {
    LinkHarness h;
    h.flags.requestStop();
    const CommandResult r = h.link->Transact(kDeviceType);
    EXPECT_EQ(r.ok, 0);
    EXPECT_TRUE(h.transport->written.isEmpty());
    EXPECT_TRUE(h.observer.received.empty());
}

TEST(Transact, StopRequestedDuringAWaitEndsItAtTheNextTickSilently) {
    LinkHarness h;
    h.sim.injectFault({sim::FaultKind::NoReply, -1, -1, -1, 0, 2, {}});
    h.pump->onTick = [&] {
        if (h.clock.nowMs() >= 1000) h.flags.requestStop();
    };
    const CommandResult r = h.link->Transact(kDeviceType);
    EXPECT_EQ(r.ok, 0);
    EXPECT_LE(h.clock.nowMs(), 1020);
    EXPECT_EQ(h.transport->written.size(), 1);
    EXPECT_TRUE(h.observer.outcomes().empty());
}

TEST(Transact, AWriteFailureEndsTheExchangeWithLinkError) {
    LinkHarness h;
    h.transport->failWrite = true;
    const CommandResult r = h.link->Transact(kDeviceType);
    EXPECT_EQ(r.ok, 0);
    EXPECT_EQ(h.observer.outcomes(), std::vector<int>{WM_LINK_ERROR});
}

TEST(Transact, APortUnpluggedDuringTheWaitEndsItWithLinkErrorAndALostLine) {
    LinkHarness h;
    int lost = 0;
    QObject::connect(h.link.get(), &TVKCOMControl::lineLost, [&] { ++lost; });
    h.sim.injectFault({sim::FaultKind::NoReply, -1, -1, -1, 0, 2, {}});
    h.pump->onTick = [&] {
        if (h.clock.nowMs() >= 100 && h.transport->isOpen()) h.transport->unplug();
    };
    EXPECT_EQ(h.link->Transact(kDeviceType).ok, 0);
    EXPECT_LT(h.clock.nowMs(), 200);
    EXPECT_EQ(h.transport->written.size(), 1);
    EXPECT_EQ(h.observer.outcomes(), std::vector<int>{WM_LINK_ERROR});
    EXPECT_EQ(lost, 1);
}

TEST(LineLost, OnlyTheLineOfTheCurrentModeIsAnnounced) {
    LinkHarness h;
    int lost = 0;
    QObject::connect(h.link.get(), &TVKCOMControl::lineLost, [&] { ++lost; });
    h.link->SetControlMode(cmLAN);
    h.transport->unplug();
    EXPECT_EQ(lost, 0);
    h.link->SetControlMode(cmCOM);
    ASSERT_TRUE(h.link->Connect());
    h.transport->unplug();
    EXPECT_EQ(lost, 1);
    EXPECT_FALSE(h.link->GetConnected());
    EXPECT_TRUE(h.link->Disconnect());
    EXPECT_EQ(lost, 1);
}

TEST(Transact, OnAClosedPortFailsWithLinkError) {
    LinkHarness h;
    h.link->Disconnect();
    EXPECT_EQ(h.link->Transact(kDeviceType).ok, 0);
    EXPECT_EQ(h.observer.outcomes(), std::vector<int>{WM_LINK_ERROR});
}

TEST(Receive, StrayBytesBetweenExchangesDoNotSpoilTheNextReply) {
    LinkHarness h;
    h.link->OnSerialData(QByteArray(5, '\x77'));
    const auto positions = h.observer.texts(WM_LINK_DATALOG);
    EXPECT_EQ(positions.front(), QStringLiteral("CopyDataPosition = 0\r\n"));
    h.link->OnSerialData(QByteArray(2, '\x77'));
    EXPECT_EQ(h.observer.texts(WM_LINK_DATALOG)[2], QStringLiteral("CopyDataPosition = 5\r\n"));
    EXPECT_EQ(h.link->Transact(kDeviceType).ok, 1);
}

TEST(Receive, IgnoresDataOnceStopIsRequested) {
    LinkHarness h;
    h.flags.requestStop();
    h.link->OnSerialData(QByteArray(5, '\x77'));
    EXPECT_TRUE(h.observer.received.empty());
}

TEST(Receive, ReportsCountBeforeTheDump) {
    LinkHarness h;
    h.link->OnSerialData(QByteArray::fromHex("A55B"));
    ASSERT_EQ(h.observer.received.size(), 3u);
    EXPECT_EQ(h.observer.received[0].message, WM_LINK_DATALOG);
    EXPECT_EQ(h.observer.received[1].message, WM_LINK_RXCOUNT);
    EXPECT_EQ(h.observer.received[1].wParam, 2);
    EXPECT_TRUE(h.observer.received[2].text.contains(QStringLiteral("0xA5, 0x5B, ")));
}

TEST(ConnectDisconnect, FailedOpenNotifiesWithTheConnectedState) {
    LinkHarness h;
    h.link->Disconnect();
    h.transport->failOpen = true;
    EXPECT_FALSE(h.link->Connect());
    EXPECT_FALSE(h.link->GetConnected());
    EXPECT_FALSE(h.link->IsConnecting());
    ASSERT_EQ(h.observer.outcomes(), std::vector<int>{WM_LINK_CONNECTFAIL});
    EXPECT_EQ(h.observer.received.back().wParam, 0);
}

TEST(ConnectDisconnect, AFailedCloseNotifiesWhileStillConnected) {
    LinkHarness h;
    h.transport->failClose = true;
    EXPECT_FALSE(h.link->Disconnect());
    EXPECT_TRUE(h.link->GetConnected());
    ASSERT_EQ(h.observer.outcomes(), std::vector<int>{WM_LINK_CONNECTFAIL});
    EXPECT_EQ(h.observer.received.back().wParam, 1);
    h.transport->failClose = false;
}

TEST(ConnectDisconnect, ConnectWhenConnectedDoesNotReopen) {
    LinkHarness h;
    EXPECT_TRUE(h.link->Connect());
    EXPECT_EQ(h.transport->openCount, 1);
    EXPECT_TRUE(h.link->Disconnect());
    EXPECT_FALSE(h.link->GetConnected());
    EXPECT_TRUE(h.link->Disconnect());
}

TEST(ConnectDisconnect, ChangingThePortReopensOnlyWhenOpen) {
    LinkHarness h;
    h.link->SetComPort(QStringLiteral("ttyS1"));
    EXPECT_EQ(h.transport->openCount, 2);
    h.link->Disconnect();
    h.link->SetComPort(QStringLiteral("ttyS2"));
    EXPECT_EQ(h.transport->openCount, 2);
    EXPECT_EQ(h.link->GetComPort(), QStringLiteral("ttyS2"));
}

TEST(ConnectDisconnect, LanModeWithoutAModuleFailsToConnect) {
    LinkHarness h;
    h.link->SetControlMode(cmLAN);
    EXPECT_FALSE(h.link->GetConnected());
    EXPECT_FALSE(h.link->Connect());
    EXPECT_EQ(h.observer.outcomes(), std::vector<int>{WM_LINK_CONNECTFAIL});
}

TEST(WaitTicks, CountsTenMillisecondTicks) {
    LinkHarness h;
    h.link->WaitTicks(50);
    EXPECT_EQ(h.clock.nowMs(), 500);
}

}  // namespace

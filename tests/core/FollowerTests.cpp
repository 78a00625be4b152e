#include <gtest/gtest.h>

#include "core/Follower.h"
#include "support/SimHarness.h"

using namespace testing_support;
using core::ChangeSource;
using core::Follower;
using core::StateChange;

namespace {

// The follower over the in-process simulator, on virtual time.
struct FollowerHarness : LinkHarness {
    FollowerHarness() {
        QObject::connect(&state, &core::SwitcherState::changed,
                         [this](const StateChange& c) { changes.push_back(c); });
        QObject::connect(&follower, &Follower::reconnecting,
                         [this](int seconds) { announced.push_back(seconds); });
    }
    // Runs every step that falls due until virtual time `untilMs`.
    void runUntil(qint64 untilMs) {
        while (clock.nowMs() < untilMs) {
            if (follower.dueAtMs() <= clock.nowMs()) {
                const qsizetype before = transport->written.size();
                follower.runDue();
                if (transport->written.size() > before && isPowerQuery(transport->written.last()))
                    passStarts.push_back(clock.nowMs());
                if (follower.dueAtMs() > clock.nowMs()) continue;
                if (!follower.enabled()) return;
                continue;
            }
            clock.advanceTo(std::min(follower.dueAtMs(), untilMs));
        }
    }
    static bool isPowerQuery(const QByteArray& frame) {
        return frame.size() > 3 && frame[2] == 0x10 && frame[3] == 0x01;
    }
    std::vector<StateChange> changesOf(StateChange::Kind kind) const {
        std::vector<StateChange> found;
        for (const auto& c : changes)
            if (c.kind == kind) found.push_back(c);
        return found;
    }

    core::SwitcherState state;
    Follower follower{*link, flags, clock, state};
    std::vector<StateChange> changes;
    std::vector<int> announced;  // the waits of "Reconnecting in N s"
    std::vector<qint64> passStarts;
};

TEST(Follower, FirstPassReadsPowerRoutesAndLinksThenAnnouncesTheLine) {
    FollowerHarness h;
    h.follower.setEnabled(true);
    h.runUntil(1000);
    // Power, six routes, six input links, six output links: the commands the window sends.
    ASSERT_EQ(h.transport->written.size(), 19);
    EXPECT_EQ(h.sentFrames()[1], devlink::BuildFrame(0x02, 0x01, 1));
    EXPECT_EQ(h.sentFrames()[7], devlink::BuildFrame(0x01, 0x04, 1));
    EXPECT_EQ(h.sentFrames()[18], devlink::BuildFrame(0x01, 0x05, 6));
    EXPECT_TRUE(h.state.lineUp());
    EXPECT_EQ(h.state.route(3), 3);
    EXPECT_EQ(h.state.link(core::PortSide::Output, 3), core::LinkState::NotConnected);
    // The line is announced after everything it brought is known.
    EXPECT_EQ(h.changes.back().kind, StateChange::Kind::Line);
}

TEST(Follower, IntervalDoublesToTenSecondsWhileNothingChangesAndDropsBackAfterAChange) {
    FollowerHarness h;
    h.follower.setEnabled(true);
    h.runUntil(40000);
    ASSERT_GE(h.passStarts.size(), 6u);
    const qint64 expected[] = {2000, 4000, 8000, 10000, 10000};
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const qint64 gap = h.passStarts[i + 1] - h.passStarts[i];
        EXPECT_GE(gap, expected[i]) << "gap " << i;
        EXPECT_LT(gap, expected[i] + 300) << "gap " << i;
    }
    h.sim.state().routes[2] = 5;  // the front panel
    h.runUntil(h.follower.dueAtMs() + 1000);
    EXPECT_EQ(h.follower.intervalMs(), Follower::kFirstIntervalMs) << "after the pass that saw it";
}

TEST(Follower, AttributesReadBackWritesHereAndEverythingElseToTheSwitcher) {
    FollowerHarness h;
    h.follower.setEnabled(true);
    h.runUntil(1000);
    h.changes.clear();
    // This program switched output 3 to input 5; the panel switched output 4 to input 1.
    h.sim.state().routes[2] = 5;
    h.sim.state().routes[3] = 1;
    h.follower.wroteRoute(3, 5);
    EXPECT_EQ(h.follower.dueAtMs(), h.clock.nowMs()) << "a write is read back at once";
    h.runUntil(h.clock.nowMs() + 500);
    const auto routes = h.changesOf(StateChange::Kind::Route);
    ASSERT_EQ(routes.size(), 2u);
    EXPECT_EQ(routes[0].number, 3);
    EXPECT_EQ(routes[0].input, 5);
    EXPECT_EQ(routes[0].by, ChangeSource::Here);
    EXPECT_EQ(routes[1].number, 4);
    EXPECT_EQ(routes[1].by, ChangeSource::Elsewhere);

    h.sim.state().powerOn = false;
    h.runUntil(h.clock.nowMs() + 2500);
    const auto power = h.changesOf(StateChange::Kind::Power);
    ASSERT_EQ(power.size(), 1u);
    EXPECT_FALSE(power[0].on);
    EXPECT_EQ(power[0].by, ChangeSource::Elsewhere);
}

TEST(Follower, NeverSendsWhileAnOperationHoldsTheLink) {
    FollowerHarness h;
    h.follower.setEnabled(true);
    h.flags.setIdle(false);
    h.runUntil(3000);
    EXPECT_TRUE(h.transport->written.isEmpty());
    h.flags.setIdle(true);
    h.runUntil(3100);
    EXPECT_FALSE(h.transport->written.isEmpty());
}

TEST(Follower, ReconnectsWithABackOffAndResyncsBeforeAnnouncingTheLine) {
    FollowerHarness h;
    h.follower.setEnabled(true);
    h.runUntil(1000);
    h.transport->failOpen = true;
    h.transport->unplug();
    EXPECT_FALSE(h.state.lineUp());
    h.runUntil(h.clock.nowMs() + 100000);
    // 1, 2, 4 ... and never more than 30 s between attempts.
    EXPECT_EQ(h.announced, (std::vector<int>{1, 2, 4, 8, 16, 30, 30, 30}));
    EXPECT_EQ(h.transport->openCount, 1) << "no attempt opened the port";
    EXPECT_TRUE(h.observer.texts(devlink::WM_LINK_CONNECTFAIL).empty())
        << "the attempts raise no failure of their own";

    h.sim.state().routes[0] = 6;
    h.transport->failOpen = false;
    h.changes.clear();
    h.runUntil(h.clock.nowMs() + 31000);
    ASSERT_GE(h.changes.size(), 2u);
    EXPECT_EQ(h.changes[0].kind, StateChange::Kind::Route);
    EXPECT_EQ(h.changes[1].kind, StateChange::Kind::Line);
    EXPECT_TRUE(h.changes[1].on);
}

TEST(Follower, ALineLostInsideItsOwnExchangeIsAnnouncedOnce) {
    FollowerHarness h;
    h.follower.setEnabled(true);
    h.runUntil(1000);
    h.transport->failOpen = true;
    bool unplugged = false;
    h.pump->onTick = [&] {
        if (unplugged) return;
        unplugged = true;
        h.transport->unplug();
    };
    h.runUntil(h.follower.dueAtMs() + 1);
    EXPECT_EQ(h.announced, (std::vector<int>{1}));
}

TEST(Follower, ASilentSwitcherIsALostLineAndSwitchingOffEndsEverything) {
    FollowerHarness h;
    h.follower.setEnabled(true);
    h.runUntil(1000);
    h.transport->setResponder(
        [](const QByteArray&, qint64) { return std::vector<sim::Delivery>{}; });
    h.runUntil(h.clock.nowMs() + 12000);
    EXPECT_FALSE(h.state.lineUp());
    EXPECT_TRUE(h.follower.reconnectInMs().has_value());

    h.follower.setEnabled(false);
    const qsizetype sent = h.transport->written.size();
    const int opens = h.transport->openCount;
    h.clock.advanceTo(h.clock.nowMs() + 60000);
    h.follower.runDue();
    EXPECT_EQ(h.transport->written.size(), sent);
    EXPECT_EQ(h.transport->openCount, opens);
}

}  // namespace

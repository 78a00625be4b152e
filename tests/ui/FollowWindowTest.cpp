#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QPushButton>

#include "SettingWindow.h"
#include "core/Follower.h"

namespace {

using testing_support::SettingWindow;

const QByteArray kFollowing = "[Follow switcher]\nEnabled=1\n";

// The window on the simulator with the follower's timer replaced by the virtual clock.
struct FollowWindow : SettingWindow {
    explicit FollowWindow(const QByteArray& settings = kFollowing) : SettingWindow(settings) {}

    core::Follower& follower() const { return *h.form().findChild<core::Follower*>(); }
    void runFor(qint64 ms) {
        const qint64 until = h.clock.nowMs() + ms;
        while (h.clock.nowMs() < until) {
            if (follower().enabled() && follower().dueAtMs() <= h.clock.nowMs()) {
                follower().runDue();
                continue;
            }
            h.clock.advanceTo(follower().enabled() ? std::min(follower().dueAtMs(), until) : until);
        }
    }
    QAbstractButton* connectButton() const { return h.find<QPushButton>("btnConnect"); }
};

TEST(FollowWindow, ARouteChangedAtTheSwitcherShowsWithinOneIntervalAndIsAttributedToIt) {
    FollowWindow w;
    w.h.sim.state().routes = {1, 2, 3, 4, 5, 6};
    w.runFor(1000);
    EXPECT_EQ(w.digits(), (QStringList{"1", "2", "3", "4", "5", "6"}));
    EXPECT_FALSE(w.h.panel(2).contains("at the switcher")) << "the first read only catches up";

    w.h.sim.state().routes[2] = 5;  // the front panel
    w.runFor(core::Follower::kFirstIntervalMs + 500);
    EXPECT_EQ(w.digits()[2], "5");
    EXPECT_EQ(w.downButtons()[2], 5);
    EXPECT_EQ(w.h.panel(2), "Output3 switched to Input5 at the switcher");
    EXPECT_TRUE(w.h.find<QGroupBox>("GroupBox3")->property("flashed").toBool());

    // A route sent from here is read back and not announced as the switcher's.
    w.inputButton(4, 2)->click();
    w.runFor(500);
    EXPECT_EQ(w.switcherRoutes()[3], 2);
    EXPECT_EQ(w.h.panel(2), "Done");
}

TEST(FollowWindow, ClosingTheWindowEndsFollowing) {
    FollowWindow w;
    w.runFor(1000);
    ASSERT_TRUE(w.follower().enabled());
    EXPECT_TRUE(w.h.form().close());
    EXPECT_FALSE(w.follower().enabled());
}

TEST(FollowWindow, UntickedSendsNothingBetweenCommands) {
    FollowWindow w("");
    EXPECT_FALSE(w.h.find<QCheckBox>("cbFollowSwitcher")->isChecked());
    w.runFor(60000);
    QCoreApplication::processEvents();
    EXPECT_TRUE(w.h.transport->written.isEmpty());

    w.h.find<QCheckBox>("cbFollowSwitcher")->setChecked(true);
    EXPECT_TRUE(w.follower().enabled());
    w.h.find<QCheckBox>("cbFollowSwitcher")->setChecked(false);
    EXPECT_FALSE(w.follower().enabled());

    // A line lost while unfollowed stays closed when the box is ticked afterwards.
    w.h.transport->unplug();
    QCoreApplication::processEvents();
    w.h.find<QCheckBox>("cbFollowSwitcher")->setChecked(true);
    EXPECT_FALSE(w.follower().enabled());
    EXPECT_EQ(w.h.panel(1), "Disconnect");
}

TEST(FollowWindow, ALostLineIsReopenedWithABackOffUntilTheOperatorDisconnects) {
    FollowWindow w;
    w.runFor(1000);
    w.h.transport->failOpen = true;
    w.h.transport->unplug();
    QCoreApplication::processEvents();
    EXPECT_EQ(w.h.panel(1), "Reconnecting in 1 s");
    EXPECT_EQ(w.connectButton()->text(), "&Disconnect");
    w.runFor(3500);
    EXPECT_EQ(w.h.panel(1), "Reconnecting in 4 s");

    w.h.transport->failOpen = false;
    w.h.sim.state().routes[0] = 6;
    w.runFor(5000);
    EXPECT_EQ(w.h.panel(1), "ttySIM: Connected");
    EXPECT_EQ(w.digits()[0], "6");
    EXPECT_TRUE(w.h.dialogs.shown.empty()) << "the attempts raise no dialog";

    w.h.transport->failOpen = true;
    w.h.transport->unplug();
    QCoreApplication::processEvents();
    w.connectButton()->click();
    EXPECT_EQ(w.h.panel(1), "Disconnect");
    EXPECT_EQ(w.connectButton()->text(), "&Connect");
    EXPECT_FALSE(w.follower().enabled());
}

}  // namespace

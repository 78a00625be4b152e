#include <gtest/gtest.h>

#include "RunnerHarness.h"
#include "core/CommandRunner.h"
#include "link/Commands.h"

using namespace devlink;
using namespace testing_support;
using core::CommandRunner;

namespace {

TEST(CommandRunner, ConnectsOnDemandAndShowsLabelThenDone) {
    RunnerHarness h;
    const CommandResult r = h.runner->Run(MakeCommand(Command::SetRoute, 5, 3));
    EXPECT_EQ(r.ok, 1);
    EXPECT_EQ(h.connectClicks, 1);
    EXPECT_EQ(h.sim.state().routes[2], 5);
    const std::vector<Status> expected = {{2, QStringLiteral("Setting..."), false},
                                          {2, QStringLiteral("Done"), false},
                                          {3, QString(), false}};
    EXPECT_EQ(h.status, expected);
    EXPECT_TRUE(h.flags.idle());
}

TEST(CommandRunner, StaysSilentWhenConnectingFails) {
    RunnerHarness h;
    h.connectWorks = false;
    EXPECT_EQ(h.runner->Run(MakeCommand(Command::GetPowerStatus)).ok, 0);
    EXPECT_TRUE(h.status.empty());
    EXPECT_TRUE(h.transport->written.isEmpty());
}

TEST(CommandRunner, RefusesASecondCommandWhileOneRuns) {
    RunnerHarness h;
    h.sim.setReplyDelayMs(200);
    CommandResult inner;
    bool tried = false;
    h.pump->onTick = [&] {
        if (tried) return;
        tried = true;
        inner = h.runner->Run(MakeCommand(Command::GetDeviceType));
    };
    EXPECT_EQ(h.runner->Run(MakeCommand(Command::SetRoute, 2, 2)).ok, 1);
    EXPECT_EQ(inner.ok, 0);
    EXPECT_EQ(h.transport->written.size(), 1);
    const Status refusal{3, QStringLiteral("In processing, command ignored"), false};
    EXPECT_EQ(h.status.at(1), refusal);
}

TEST(CommandRunner, PoweredCommandsAreRefusedWhileOffButPowerCommandsRun) {
    RunnerHarness h;
    h.powerOn = false;
    EXPECT_EQ(h.runner->Run(MakeCommand(Command::SetRoute, 1, 1)).ok, 0);
    EXPECT_EQ(h.boxes, std::vector<QString>{
                           QStringLiteral("System is power off, please turn it on first.")});
    EXPECT_TRUE(h.transport->written.isEmpty());
    EXPECT_EQ(h.runner->Run(MakeCommand(Command::GetPowerStatus)).ok, 1);
    EXPECT_EQ(h.runner->Run(MakeCommand(Command::SetPower, kOn)).ok, 1);
    EXPECT_EQ(h.boxes.size(), 1u);
}

TEST(CommandRunner, AFailedCommandLeavesNoDoneAndFreesTheGuard) {
    RunnerHarness h;
    h.sim.injectFault({sim::FaultKind::StatusFF, -1, -1, -1, 0, 2, {}});
    EXPECT_EQ(h.runner->Run(MakeCommand(Command::GetDeviceType)).ok, 0);
    for (const auto& s : h.status) EXPECT_NE(s.text, QStringLiteral("Done"));
    EXPECT_TRUE(h.flags.idle());
    EXPECT_EQ(h.observer.outcomes(), std::vector<int>{WM_LINK_NOREPLY});
}

TEST(CommandRunner, DoesNothingOnceStopIsRequested) {
    RunnerHarness h;
    h.flags.requestStop();
    EXPECT_EQ(h.runner->Run(MakeCommand(Command::GetPowerStatus)).ok, 0);
    EXPECT_EQ(h.connectClicks, 0);
}

}  // namespace

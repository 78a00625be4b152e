// The EDID operations of the core on the in-process simulator: the write gate ahead of every
// change, the image transfers' port and busy guard, and the failure each reports.
#include <gtest/gtest.h>

#include "RunnerHarness.h"
#include "core/operations/EdidChanges.h"
#include "core/operations/EdidTransfers.h"
#include "sim/SimFault.h"
#include "support/SimHarness.h"

namespace {

using testing_support::LinkHarness;

struct Case {
    const char* name;
    std::optional<sim::FaultKind> fault;
    devlink::FailureKind failure;
};

const Case kCases[] = {
    {"answered", std::nullopt, devlink::FailureKind::None},
    {"silent", sim::FaultKind::NoReply, devlink::FailureKind::TimedOut},
    {"refused", sim::FaultKind::StatusFF, devlink::FailureKind::Refused},
};

devlink::FailureKind lastFailure(const LinkHarness& h) {
    devlink::FailureKind kind = devlink::FailureKind::None;
    for (const devlink::LinkNotification& n : h.observer.received) {
        if (n.failure != devlink::FailureKind::None) kind = n.failure;
    }
    return kind;
}

// Busy while it runs, idle after, whatever the outcome.
struct BusyWatch {
    explicit BusyWatch(devlink::LinkGuard& guard) {
        QObject::connect(&guard, &devlink::LinkGuard::idleChanged,
                         [this](bool idle) { changes.push_back(idle); });
    }
    std::vector<bool> changes;
};

TEST(EdidTransfer, ReadTakesTheOutputsImageOrSaysWhyNot) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        LinkHarness h;
        BusyWatch busy(h.flags);
        if (c.fault) h.sim.injectFault({*c.fault, -1, -1, -1, 0, 2, {}});
        const std::optional<QByteArray> image = core::readEdidImage(*h.link, h.flags, 2);
        EXPECT_EQ(image.has_value(), !c.fault);
        if (image) {
            EXPECT_EQ(image->left(256), h.sim.state().outputEdid[1]);
        }
        EXPECT_EQ(lastFailure(h), c.failure);
        EXPECT_EQ(busy.changes, (std::vector<bool>{false, true}));
    }
}

TEST(EdidTransfer, SendLeavesTheImageWhereItsCommandSaysOrSaysWhyNot) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        LinkHarness h;
        BusyWatch busy(h.flags);
        const QByteArray edid = h.sim.state().outputEdid[0];
        if (c.fault) h.sim.injectFault({*c.fault, -1, -1, -1, 0, 2, {}});
        const bool sent =
            core::sendEdidImage(*h.link, h.flags, *device::downloadEdidCommand(4), edid);
        EXPECT_EQ(sent, !c.fault);
        EXPECT_EQ(h.sim.state().inputEdid[3] == edid, !c.fault);
        EXPECT_EQ(lastFailure(h), c.failure);
        EXPECT_EQ(busy.changes, (std::vector<bool>{false, true}));
    }
}

bool IsGate(const devlink::Frame& f) {
    const devlink::CommandRequest gate = device::kEdidWriteGateOff.request();
    return f == devlink::BuildFrame(gate.group, gate.code, gate.p1, gate.p2, gate.p3, gate.p4);
}

TEST(EdidChange, ClosesTheGateFirstAndStopsWhenTheGateIsRefused) {
    const device::EdidCommand copy{devlink::Command::CopyOutputEdidAllInputs, 2};
    for (const bool gateRefused : {false, true}) {
        SCOPED_TRACE(gateRefused ? "gate refused" : "gate closed");
        testing_support::RunnerHarness h;
        if (gateRefused) {
            const devlink::CommandRequest gate = device::kEdidWriteGateOff.request();
            h.sim.injectFault({sim::FaultKind::StatusFF, -1, gate.group, gate.code, 0, 2, {}});
        }
        const devlink::CommandResult result =
            core::runEdidChange(*h.runner, copy.request(), QStringLiteral("Copying..."));
        const std::vector<devlink::Frame> sent = h.sentFrames();
        ASSERT_FALSE(sent.empty());
        EXPECT_TRUE(IsGate(sent.front()));
        EXPECT_EQ(result.succeeded(), !gateRefused);
        EXPECT_EQ(result.failure,
                  gateRefused ? devlink::FailureKind::Refused : devlink::FailureKind::None);
        EXPECT_EQ(std::all_of(sent.begin(), sent.end(), IsGate), gateRefused);
        EXPECT_EQ(h.status.front().text, QStringLiteral("Copying..."));
    }
}

}  // namespace

// Applying a pre-setting through the command runner, on virtual time against the simulator.
#include <gtest/gtest.h>

#include "RunnerHarness.h"
#include "core/operations/Presets.h"
#include "support/CaseName.h"

namespace {

using devlink::FailureKind;

struct PresetCase {
    const char* name;
    QStringList cells;
    std::vector<sim::Fault> faults;
    bool powerOn;
    int switched;
    FailureKind failure;
    QString text;
};

void PrintTo(const PresetCase& c, std::ostream* os) {
    *os << c.name;
}

class PresetApply : public ::testing::TestWithParam<PresetCase> {};

// Stops at the first switch that fails, and before a cell that is no input.
TEST_P(PresetApply, SwitchesInOrderAndSaysWhereItStopped) {
    const PresetCase& c = GetParam();
    testing_support::RunnerHarness h;
    h.powerOn = c.powerOn;
    for (const sim::Fault& fault : c.faults) h.sim.injectFault(fault);
    const core::PresetApplied applied =
        core::ApplyPreset(core::PresetRoutesOf(c.cells), [&h](int output, int input) {
            return core::FailureOf(h.runner->Run(
                devlink::MakeCommand(devlink::Command::SetRoute, static_cast<quint16>(input),
                                     static_cast<quint16>(output))));
        });
    EXPECT_EQ(applied.switched, c.switched);
    EXPECT_EQ(applied.failure, c.failure);
    EXPECT_EQ(applied.text, c.text);
    for (int output = 1; output <= applied.switched; ++output)
        EXPECT_EQ(h.sim.state().routes[output - 1], c.cells[output - 1].toInt()) << output;
}

const QStringList kGood{"3", "4", "1", "2", "3", "4"};
// Every Set route and its retries: nothing is switched.
const sim::Fault kRefused{sim::FaultKind::StatusFF, -1, 0x02, 0x03, 0, 2, {}};
const sim::Fault kSilent{sim::FaultKind::NoReply, -1, 0x02, 0x03, 0, 2, {}};

INSTANTIATE_TEST_SUITE_P(
    Table, PresetApply,
    ::testing::Values(
        PresetCase{"Complete", kGood, {}, true, 6, FailureKind::None, {}},
        PresetCase{"CellNoInput",
                   {"3", "4", "2", "9", "1", "1"},
                   {},
                   true,
                   3,
                   FailureKind::BadFile,
                   "Pre-setting stopped: Output4 holds \"9\", not an input from 1 to 6"},
        PresetCase{"ShortRow",
                   {"5", "5"},
                   {},
                   true,
                   2,
                   FailureKind::BadFile,
                   "Pre-setting stopped: Output3 holds \"\", not an input from 1 to 6"},
        PresetCase{"SwitchRefused", kGood, {kRefused}, true, 0, FailureKind::Refused, {}},
        PresetCase{"SwitchUnanswered", kGood, {kSilent}, true, 0, FailureKind::TimedOut, {}},
        PresetCase{"SwitcherOff", kGood, {}, false, 0, FailureKind::SwitcherOff, {}}),
    testing_support::CaseNamer([](const PresetCase& c) { return std::string(c.name); }));

}  // namespace

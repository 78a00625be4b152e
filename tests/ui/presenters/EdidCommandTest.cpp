#include <gtest/gtest.h>

#include "EdidPresenterHarness.h"
#include "support/CaseName.h"

using namespace edid_testing;
using Sent = EdidHarness::Sent;

namespace {

const QString kSelectFirst = QStringLiteral("Select list item first");
const QString kPowerOff = QStringLiteral("System is power off, please turn it on first.");
const Sent kGate{0x03, 0x08, 0xF0, 0};

// Mode list: 16 "User1", 17 "User2", 18 "Default EDID". Input lists: 7 "All Inputs".
struct SetCase {
    int mode;
    int input;
    Sent command;
};

class SetEdidMode : public ::testing::TestWithParam<SetCase> {};

TEST_P(SetEdidMode, SendsTheGateThenTheModeCommand) {
    const SetCase& c = GetParam();
    EdidHarness h;
    h.choose(EdidList::Mode, c.mode);
    h.choose(EdidList::SetModeInput, c.input);
    h.edid->btnSetEDIDModeClick();
    EXPECT_EQ(h.sentHeaders(), (std::vector<Sent>{kGate, c.command}));
    EXPECT_EQ(h.log.panel(2),
              (std::vector<QString>{QStringLiteral("Setting..."), QStringLiteral("Done"),
                                    QStringLiteral("Setting..."), QStringLiteral("Done")}));
}

INSTANTIATE_TEST_SUITE_P(
    Targets, SetEdidMode,
    ::testing::Values(SetCase{17, 3, {0x03, 0x02, 0xF200, 3}},  // User2 on input 3
                      SetCase{18, 7, {0x03, 0x09, 0xFE, 0}},    // Default EDID, all inputs
                      SetCase{18, 2, {0x03, 0x0A, 2, 0}},       // Default EDID, input 2
                      SetCase{16, 6, {0x03, 0x02, 0xF100, 6}},  // User1 on input 6
                      SetCase{1, 1, {0x03, 0x02, 0xF001, 1}},
                      SetCase{15, 7, {0x03, 0x01, 0xF00F, 0}}),
    testing_support::CaseNamer([](const SetCase& c) {
        return "mode " + std::to_string(c.mode) + " input " + std::to_string(c.input);
    }));

TEST(SetEdidModeEffect, UserMemoryReachesTheInput) {
    EdidHarness h;
    h.choose(EdidList::Mode, 17);
    h.choose(EdidList::SetModeInput, 3);
    h.edid->btnSetEDIDModeClick();
    EXPECT_EQ(h.sim.state().inputEdid[2], h.sim.state().userEdid[1]);
    EXPECT_EQ(h.sim.state().inputEdid[1], h.sim.state().defaultEdid);
    EXPECT_FALSE(h.sim.state().edidWriteGateOn);
}

struct CopyCase {
    int output;
    int input;
    Sent command;
};

class CopyEdid : public ::testing::TestWithParam<CopyCase> {};

TEST_P(CopyEdid, ChecksTheOutputThenSendsTheGateAndTheCopy) {
    const CopyCase& c = GetParam();
    EdidHarness h;
    h.choose(EdidList::CopyOutput, c.output);
    h.choose(EdidList::CopyInput, c.input);
    h.edid->btnCopyEDIDClick();
    const Sent query{0x01, 0x05, c.output, 0};
    EXPECT_EQ(h.sentHeaders(), (std::vector<Sent>{query, kGate, c.command}));
    const std::vector<QString> panel2 = h.log.panel(2);
    ASSERT_EQ(panel2.size(), 6u);
    EXPECT_EQ(panel2[2], QStringLiteral("Copying..."));
    EXPECT_EQ(panel2[4], QStringLiteral("Copying..."));
    EXPECT_TRUE(h.log.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(Targets, CopyEdid,
                         ::testing::Values(CopyCase{1, 2, {0x03, 0x04, 1, 2}},
                                           CopyCase{5, 7, {0x03, 0x03, 5, 0}}),
                         testing_support::CaseNamer([](const CopyCase& c) {
                             return "output " + std::to_string(c.output) + " input " +
                                    std::to_string(c.input);
                         }));

TEST(CopyEdidEffect, TheDisplayEdidReachesEveryInput) {
    EdidHarness h;
    h.choose(EdidList::CopyOutput, 2);
    h.choose(EdidList::CopyInput, 7);
    h.edid->btnCopyEDIDClick();
    for (const QByteArray& input : h.sim.state().inputEdid) {
        EXPECT_EQ(input, h.sim.state().outputEdid[1]);
    }
}

// The simulator has no display on outputs 3 and 6.
TEST(CopyEdidEffect, AnUnconnectedOutputShowsTheTwoLineTextAndSendsNothingMore) {
    for (const int output : {3, 6}) {
        EdidHarness h;
        h.choose(EdidList::CopyOutput, output);
        h.choose(EdidList::CopyInput, 1);
        h.edid->btnCopyEDIDClick();
        EXPECT_EQ(h.sentHeaders(), (std::vector<Sent>{{0x01, 0x05, output, 0}}));
        EXPECT_EQ(
            h.log.boxes,
            std::vector<QString>{
                QStringLiteral("EDID can not be read because output not connected.\r\n[Output%1]")
                    .arg(output)});
    }
}

TEST(CopyEdidEffect, AFailedConnectionQueryStopsSilently) {
    EdidHarness h;
    h.sim.injectFault({sim::FaultKind::StatusFF, 5, 0x01, 0x05, 0, 2, {}});
    h.choose(EdidList::CopyOutput, 1);
    h.choose(EdidList::CopyInput, 1);
    h.edid->btnCopyEDIDClick();
    const std::vector<Sent> sent = h.sentHeaders();
    EXPECT_EQ(sent.size(), 5u);  // five attempts of the query, nothing after it
    for (const Sent& s : sent) EXPECT_EQ(s, (Sent{0x01, 0x05, 1, 0}));
    EXPECT_TRUE(h.log.boxes.empty());
}

// Each click with one of its lists at index 0.
struct MissingChoice {
    const char* name;
    std::vector<std::pair<EdidList, int>> choices;
    void (ui::EdidPresenter::*click)();
};

class MissingSelection : public ::testing::TestWithParam<MissingChoice> {};

TEST_P(MissingSelection, IsRefusedInPanelThreeWithNothingSent) {
    EdidHarness h;
    h.openEdid(h.sim.state().outputEdid[0]);
    h.forget();
    for (const auto& [list, index] : GetParam().choices) h.choose(list, index);
    (h.edid.get()->*GetParam().click)();
    EXPECT_TRUE(h.transport->written.isEmpty());
    EXPECT_EQ(h.log.panel(3), std::vector<QString>{kSelectFirst});
    EXPECT_TRUE(h.log.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Clicks, MissingSelection,
    ::testing::Values(
        MissingChoice{
            "SetNoMode", {{EdidList::SetModeInput, 2}}, &ui::EdidPresenter::btnSetEDIDModeClick},
        MissingChoice{"SetNoInput", {{EdidList::Mode, 2}}, &ui::EdidPresenter::btnSetEDIDModeClick},
        MissingChoice{
            "CopyNoOutput", {{EdidList::CopyInput, 2}}, &ui::EdidPresenter::btnCopyEDIDClick},
        MissingChoice{
            "CopyNoInput", {{EdidList::CopyOutput, 2}}, &ui::EdidPresenter::btnCopyEDIDClick},
        MissingChoice{"ReadNoOutput", {}, &ui::EdidPresenter::btnReadEDIDDataClick},
        MissingChoice{"DownloadNoTarget", {}, &ui::EdidPresenter::btnDownloadEDIDClick}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EdidGate, ARefusedGateStopsSetCopyAndDownloadBeforeTheirCommand) {
    const std::vector<std::pair<EdidList, int>> choices{{EdidList::Mode, 4},
                                                        {EdidList::SetModeInput, 1},
                                                        {EdidList::CopyOutput, 1},
                                                        {EdidList::CopyInput, 1},
                                                        {EdidList::DownloadInput, 1}};
    for (auto click :
         {&ui::EdidPresenter::btnSetEDIDModeClick, &ui::EdidPresenter::btnCopyEDIDClick,
          &ui::EdidPresenter::btnDownloadEDIDClick}) {
        EdidHarness h;
        h.openEdid(h.sim.state().outputEdid[0]);
        for (const auto& [list, index] : choices) h.choose(list, index);
        h.forget();
        h.sim.injectFault({sim::FaultKind::StatusFF, 5, 0x03, 0x08, 0, 2, {}});
        (h.edid.get()->*click)();
        const std::vector<Sent> sent = h.sentHeaders();
        ASSERT_FALSE(sent.empty());
        EXPECT_EQ(sent.back(), kGate);
        EXPECT_EQ(std::count(sent.begin(), sent.end(), kGate), 5);
        EXPECT_TRUE(h.flags.idle());
    }
}

TEST(EdidPower, SetAndCopyAreRefusedByThePoweredWrapperWhileTheSwitcherIsOff) {
    for (auto click :
         {&ui::EdidPresenter::btnSetEDIDModeClick, &ui::EdidPresenter::btnCopyEDIDClick,
          &ui::EdidPresenter::btnReadEDIDDataClick}) {
        EdidHarness h;
        h.sim.state().powerOn = false;
        h.status->ReadPowerState();
        h.forget();
        h.choose(EdidList::Mode, 4);
        h.choose(EdidList::SetModeInput, 1);
        h.choose(EdidList::CopyOutput, 1);
        h.choose(EdidList::CopyInput, 1);
        h.choose(EdidList::ReadOutput, 1);
        (h.edid.get()->*click)();
        EXPECT_TRUE(h.transport->written.isEmpty());
        EXPECT_EQ(h.log.boxes, std::vector<QString>{kPowerOff});
    }
}

}  // namespace

#include <gtest/gtest.h>

#include "PresenterHarness.h"
#include "support/CaseName.h"

namespace {

using testing_support::PresenterHarness;
using testing_support::Route;
using testing_support::Status;

constexpr int kAllOutputs = 6;
constexpr int kPortToPort = 100;

std::vector<int> shownInputs(const PresenterHarness& h) {
    std::vector<int> shown;
    for (int output = 1; output <= 6; ++output) shown.push_back(h.routing->shownInput(output));
    return shown;
}

// The presenter's state and what the view shows agree for every output.
void expectViewMatches(const PresenterHarness& h) {
    for (int output = 1; output <= 6; ++output) {
        const int input = h.routing->shownInput(output);
        EXPECT_EQ(h.routingView.down[output], h.routing->downButton(output)) << output;
        EXPECT_EQ(h.routingView.digits[output], input == 0 ? "-" : QString::number(input))
            << output;
    }
}

TEST(RoutingPresenter, StartsInTheDesignStateWithRouteFailedSet) {
    PresenterHarness h;
    EXPECT_EQ(shownInputs(h), std::vector<int>(6, 6));
    EXPECT_EQ(h.routing->downButton(1), 6);
    EXPECT_TRUE(h.routing->routeFailed());
}

TEST(RoutingPresenter, ClickSendsSetRouteAndShowsTheInput) {
    PresenterHarness h;
    h.routing->sbSetInputClick(3, 5);
    const auto frames = h.sentFrames();
    ASSERT_EQ(frames.size(), 1u);
    const devlink::Frame expected{0xA5, 0x5B, 0x02, 0x03, 0x05, 0x00, 0x03,
                                  0x00, 0x00, 0x00, 0x00, 0x00, 0xF3};
    EXPECT_EQ(frames[0], expected);
    EXPECT_EQ(h.switcherRoutes(), (std::vector<int>{1, 2, 5, 4, 5, 6}));
    EXPECT_EQ(h.routing->shownInput(3), 5);
    EXPECT_EQ(h.routing->downButton(3), 5);
    expectViewMatches(h);
    const std::vector<Status> texts{{2, "Setting...", false}, {2, "Done", false}, {3, "", false}};
    EXPECT_EQ(h.status, texts);
    EXPECT_TRUE(h.routing->routeFailed());  // a success leaves the flag as it was
}

TEST(RoutingPresenter, ShowsTheNewInputBeforeTheCommandIsSent) {
    PresenterHarness h;
    QString digitWhileSending;
    int downWhileSending = -1;
    h.transport->setResponder([&](const QByteArray& bytes, qint64 now) {
        digitWhileSending = h.routingView.digits[2];
        downWhileSending = h.routingView.down[2];
        return h.sim.receive(bytes, now);
    });
    h.routing->sbSetInputClick(2, 4);
    EXPECT_EQ(digitWhileSending, "4");
    EXPECT_EQ(downWhileSending, 4);
}

TEST(RoutingPresenter, ClickingTheButtonThatIsDownSendsAgain) {
    PresenterHarness h;
    h.routing->sbSetInputClick(1, 6);
    h.routing->sbSetInputClick(1, 6);
    EXPECT_EQ(h.transport->written.size(), 2);
    EXPECT_EQ(h.switcherRoutes()[0], 6);
}

TEST(RoutingPresenter, FailedSwitchRevertsToThePreviousInput) {
    PresenterHarness h;
    h.routing->sbSetInputClick(2, 3);
    h.routing->clearRouteFailed();
    h.status.clear();
    h.failOutput(2);
    h.routing->sbSetInputClick(2, 5);
    EXPECT_EQ(h.routing->shownInput(2), 3);
    EXPECT_EQ(h.routing->downButton(2), 3);
    expectViewMatches(h);
    EXPECT_TRUE(h.routing->routeFailed());
    EXPECT_EQ(h.switcherRoutes()[1], 3);
    for (const Status& s : h.status) EXPECT_NE(s.text, "Done");
}

TEST(RoutingPresenter, PowerOffRefusesEveryClickAndChangesNothing) {
    PresenterHarness h;
    h.powerOn = false;
    h.routing->clearRouteFailed();
    h.routing->sbSetInputClick(4, 1);
    h.routing->sbPreviousClick(7);
    EXPECT_EQ(h.boxes, (std::vector<QString>(2, testing_support::kPowerOffText)));
    EXPECT_TRUE(h.transport->written.isEmpty());
    EXPECT_EQ(shownInputs(h), std::vector<int>(6, 6));
    EXPECT_EQ(h.routingView.down[4], 6);
    EXPECT_TRUE(h.routing->routeFailed());
}

TEST(RoutingPresenter, ASwitchClickedWhileAnotherRunsIsRefusedAndReverted) {
    PresenterHarness h;
    h.sim.setReplyDelayMs(200);
    bool clicked = false;
    h.pump->onTick = [&] {
        if (clicked) return;
        clicked = true;
        h.routing->sbSetInputClick(4, 2);
    };
    h.routing->sbSetInputClick(1, 3);
    EXPECT_EQ(h.routesSent(), (std::vector<Route>{{1, 3}}));
    EXPECT_EQ(h.routing->shownInput(1), 3);
    EXPECT_EQ(h.routing->shownInput(4), 6);
    EXPECT_EQ(h.routingView.down[4], 6);
    EXPECT_TRUE(h.routing->routeFailed());
    EXPECT_NE(std::find(h.status.begin(), h.status.end(),
                        Status{3, "In processing, command ignored", false}),
              h.status.end());
}

TEST(RoutingPresenter, InputsAndOutputsOutsideOneToSixAreNeverSent) {
    PresenterHarness h;
    h.routing->clearRouteFailed();
    for (const auto& [output, input] : {std::pair{0, 1}, {7, 1}, {1, 0}, {1, 7}, {1, 8}}) {
        h.routing->sbSetInputClick(output, input);
    }
    EXPECT_TRUE(h.transport->written.isEmpty());
    EXPECT_TRUE(h.routing->routeFailed());
    EXPECT_EQ(shownInputs(h), std::vector<int>(6, 6));
}

struct ArrowCase {
    quint8 shown;  // what Get output route reports for output 2
    bool next;
    int expected;
};

class RoutingArrows : public testing::TestWithParam<ArrowCase> {};

TEST_P(RoutingArrows, StepAndWrapWithinOneToSix) {
    const ArrowCase c = GetParam();
    PresenterHarness h;
    h.setSwitcherRoutes({1, c.shown, 3, 4, 5, 6});
    ASSERT_TRUE(h.routing->ReadRouting());
    h.routing->sbPreviousClick(c.next ? 4 : 3);  // output 2's arrows
    EXPECT_EQ(h.routesSent(), (std::vector<Route>{{2, c.expected}}));
    EXPECT_EQ(h.routing->shownInput(2), c.expected);
    EXPECT_EQ(h.switcherRoutes()[1], c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, RoutingArrows,
                         testing::Values(ArrowCase{1, false, 6}, ArrowCase{6, true, 1},
                                         ArrowCase{3, false, 2}, ArrowCase{3, true, 4},
                                         ArrowCase{7, true, 1}, ArrowCase{8, false, 6},
                                         ArrowCase{9, false, 6}, ArrowCase{0, true, 1}),
                         testing_support::CaseNamer([](const ArrowCase& c) {
                             return "shown " + std::to_string(c.shown) +
                                    (c.next ? " next" : " previous");
                         }));

TEST(RoutingPresenter, ArrowTagsPickTheirOutput) {
    PresenterHarness h;
    h.routing->sbPreviousClick(1);   // output 1, previous of 6
    h.routing->sbPreviousClick(12);  // output 6, next of 6
    h.routing->sbPreviousClick(0);
    h.routing->sbPreviousClick(13);
    EXPECT_EQ(h.routesSent(), (std::vector<Route>{{1, 5}, {6, 1}}));
}

struct MenuCase {
    int output;
    int input;
    int itemTag;
    std::vector<Route> sent;
};

class RoutingMenu : public testing::TestWithParam<MenuCase> {};

TEST_P(RoutingMenu, SwitchesItsRangeInAscendingOrder) {
    const MenuCase c = GetParam();
    PresenterHarness h;
    h.setSwitcherRoutes({6, 6, 6, 6, 6, 6});
    h.routing->sbSetInputMouseMove(c.output, c.input, {}, false);
    h.routing->mnuAllOutputsClick(c.itemTag);
    EXPECT_EQ(h.routesSent(), c.sent);
    EXPECT_FALSE(h.routing->routeFailed());
    for (const Route& r : c.sent) EXPECT_EQ(h.switcherRoutes()[r.output - 1], r.input);
    expectViewMatches(h);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RoutingMenu,
    testing::Values(MenuCase{6, 2, 2, {{6, 2}}},
                    MenuCase{3, 1, 5, {{3, 1}, {4, 1}, {5, 1}, {6, 1}}},
                    MenuCase{4, 2, 1, {{4, 2}}}, MenuCase{2, 4, 3, {{2, 4}, {3, 4}, {4, 4}}},
                    MenuCase{5, 3, 4, {{5, 3}, {6, 3}}},
                    MenuCase{4, 2, kAllOutputs, {{1, 2}, {2, 2}, {3, 2}, {4, 2}, {5, 2}, {6, 2}}},
                    MenuCase{5, 3, kPortToPort, {{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}}}),
    testing_support::CaseNamer([](const MenuCase& c) {
        return "output " + std::to_string(c.output) + " input " + std::to_string(c.input) +
               " item " + std::to_string(c.itemTag);
    }));

TEST(RoutingPresenter, ABatchStopsAtTheFirstFailedOutput) {
    PresenterHarness h;
    h.failOutput(3);
    h.routing->sbSetInputMouseMove(5, 4, {}, false);
    h.routing->mnuAllOutputsClick(kAllOutputs);
    EXPECT_EQ(h.routesSent(), (std::vector<Route>{{1, 4}, {2, 4}, {3, 4}}));
    EXPECT_EQ(h.switcherRoutes(), (std::vector<int>{4, 4, 3, 4, 5, 6}));
    EXPECT_EQ(shownInputs(h), (std::vector<int>{4, 4, 6, 6, 6, 6}));
    EXPECT_TRUE(h.routing->routeFailed());
    expectViewMatches(h);
}

TEST(RoutingPresenter, MenuDoesNothingWithoutAHoveredInputButtonOrForAnUnknownItem) {
    PresenterHarness h;
    h.routing->mnuAllOutputsClick(kAllOutputs);
    h.routing->sbSetInputMouseMove(0, 3, {}, false);  // an arrow of output 2
    h.routing->mnuAllOutputsClick(kAllOutputs);
    h.routing->sbSetInputMouseMove(2, 3, {}, false);
    for (const int tag : {0, 7, 8, 99, -1}) h.routing->mnuAllOutputsClick(tag);
    EXPECT_TRUE(h.transport->written.isEmpty());
    EXPECT_TRUE(h.routing->routeFailed());
}

TEST(RoutingPresenter, ReadRoutingShowsEveryOutput) {
    PresenterHarness h;
    h.setSwitcherRoutes({2, 3, 1, 6, 5, 4});
    EXPECT_TRUE(h.routing->ReadRouting());
    EXPECT_EQ(shownInputs(h), (std::vector<int>{2, 3, 1, 6, 5, 4}));
    expectViewMatches(h);
    std::vector<QString> labels;
    for (const Status& s : h.status) {
        if (s.panel == 2 && s.text != "Done") labels.push_back(s.text);
    }
    EXPECT_EQ(labels, (std::vector<QString>{"Getting Output1 ...", "Getting Output2 ...",
                                            "Getting Output3 ...", "Getting Output4 ...",
                                            "Getting Output5 ...", "Getting Output6 ..."}));
}

TEST(RoutingPresenter, ReadRoutingStopsAtAFailedRead) {
    PresenterHarness h;
    h.setSwitcherRoutes({2, 3, 1, 1, 1, 1});
    h.failOutput(4);
    EXPECT_FALSE(h.routing->ReadRouting());
    EXPECT_EQ(shownInputs(h), (std::vector<int>{2, 3, 1, 6, 6, 6}));
    const auto frames = h.sentFrames();
    EXPECT_EQ(devlink::Param(frames.back(), 1), 4);
}

TEST(RoutingPresenter, ReadRoutingRefusedWhilePoweredOff) {
    PresenterHarness h;
    h.powerOn = false;
    EXPECT_FALSE(h.routing->ReadRouting());
    EXPECT_TRUE(h.transport->written.isEmpty());
    EXPECT_EQ(h.boxes.size(), 1u);
}

struct ReplyCase {
    quint8 reported;
    int down;
    QString digit;
};

class RoutingReply : public testing::TestWithParam<ReplyCase> {};

TEST_P(RoutingReply, OnlyInputsOneToEightPutAButtonDown) {
    const ReplyCase c = GetParam();
    PresenterHarness h;
    h.setSwitcherRoutes({c.reported, 2, 3, 4, 5, 6});
    EXPECT_TRUE(h.routing->ReadRouting());
    EXPECT_EQ(h.routingView.down[1], c.down);
    EXPECT_EQ(h.routingView.digits[1], c.digit);
    EXPECT_EQ(h.routing->downButton(1), c.down);
}

INSTANTIATE_TEST_SUITE_P(Cases, RoutingReply,
                         testing::Values(ReplyCase{1, 1, "1"}, ReplyCase{7, 7, "7"},
                                         ReplyCase{8, 8, "8"}, ReplyCase{0, 0, "-"},
                                         ReplyCase{9, 0, "-"}, ReplyCase{255, 0, "-"}),
                         testing_support::CaseNamer([](const ReplyCase& c) {
                             return "reported " + std::to_string(c.reported);
                         }));

TEST(RoutingPresenter, AFailedSwitchFromAnUnknownInputLeavesNoButtonDown) {
    PresenterHarness h;
    h.setSwitcherRoutes({9, 2, 3, 4, 5, 6});
    ASSERT_TRUE(h.routing->ReadRouting());
    h.failOutput(1);
    h.routing->sbSetInputClick(1, 2);
    EXPECT_EQ(h.routingView.down[1], 0);
    EXPECT_EQ(h.routingView.digits[1], "-");
}

struct NoteCase {
    int groupIndex;
    int tag;
    config::PortTags tags;
    QString note;
};

class RoutingNote : public testing::TestWithParam<NoteCase> {};

TEST_P(RoutingNote, NamesTheOutputAndItsInput) {
    const NoteCase c = GetParam();
    PresenterHarness h;
    h.routing->sbSetInputMouseMove(c.groupIndex, c.tag, c.tags, false);
    EXPECT_EQ(h.routingView.note, c.note);
}

config::PortTags tagsOf(int input, const QString& inTag, int output, const QString& outTag) {
    config::PortTags tags;
    tags.inputs[input - 1] = inTag;
    tags.outputs[output - 1] = outTag;
    return tags;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RoutingNote,
    testing::Values(NoteCase{3, 2, {}, "Output3 from Input2"},
                    NoteCase{3, 2, tagsOf(2, "DVD", 3, "TV"), "Output3 - [TV] from Input2 - [DVD]"},
                    NoteCase{3, 2, tagsOf(1, "PC", 3, "TV"), "Output3 - [TV] from Input2"},
                    NoteCase{1, 5, tagsOf(5, "Cam", 2, "TV"), "Output1 from Input5 - [Cam]"},
                    NoteCase{0, 3, {}, "Output2 from Input6"},  // arrow: the shown input
                    NoteCase{0, 12, tagsOf(6, "Box", 6, ""), "Output6 from Input6 - [Box]"}),
    testing_support::CaseNamer([](const NoteCase& c) { return c.note.toStdString(); }));

TEST(RoutingPresenter, InfoPopUpOnlyOverInputButtonsWithTagsAndTheBoxTicked) {
    PresenterHarness h;
    const config::PortTags tagged = tagsOf(2, "DVD", 1, "");
    h.routing->sbSetInputMouseMove(1, 2, {}, true);
    h.routing->sbSetInputMouseMove(1, 2, tagged, false);
    h.routing->sbSetInputMouseMove(0, 2, tagged, true);
    EXPECT_EQ(h.routingView.infoShows, 0);
    h.routing->sbSetInputMouseMove(1, 2, tagged, true);
    EXPECT_EQ(h.routingView.infoShows, 1);
    h.routing->mouseLeftButtons();
    EXPECT_EQ(h.routingView.note, "Output from Input");
    EXPECT_EQ(h.routingView.infoCloses, 1);
    h.routing->popupMenuOpened();  // already closed
    EXPECT_EQ(h.routingView.infoCloses, 1);
}

}  // namespace

#include <gtest/gtest.h>

#include "PresenterHarness.h"
#include "settings/PresetValue.h"
#include "support/CaseName.h"

namespace {

using testing_support::PresenterHarness;
using testing_support::Route;
using testing_support::Status;
using Row = ui::PresetPresenter::Row;

const QString kSelectText = QStringLiteral("Please select item.");

// Loads the stored value text as row 2 and selects it.
void loadRowTwo(PresenterHarness& h, const QString& stored) {
    auto names = config::SettingsData::defaultPresetNames();
    auto values = config::SettingsData::defaultPresetValues();
    names[1] = "Evening";
    values[1] = config::splitPresetValue(stored);
    h.presets->load(names, values);
    h.presets->setSelectedRow(2);
}

std::array<int, 6> inputsOf(const ui::OutputSettingEdit& edit) {
    return edit.inputs;
}

TEST(PresetPresenter, LoadShowsAllEightRows) {
    PresenterHarness h;
    loadRowTwo(h, "3,4");
    EXPECT_EQ(h.presetView.rows[1], (Row{"Setting1", {"1", "2", "3", "4", "5", "6"}}));
    EXPECT_EQ(h.presetView.rows[2], (Row{"Evening", {"3", "4", "1", "2", "3", "4"}}));
    EXPECT_EQ(h.presetView.rows[8].name, "Setting8");
}

TEST(PresetPresenter, EditingAStoredThreeFourPreselectsThreeFourOneTwoThreeFour) {
    PresenterHarness h;
    loadRowTwo(h, "3,4");
    const auto edit = h.presets->btnPreEditClick({});
    ASSERT_TRUE(edit);
    EXPECT_EQ(inputsOf(*edit), (std::array<int, 6>{3, 4, 1, 2, 3, 4}));
    EXPECT_EQ(edit->name, "Evening");
    EXPECT_EQ(edit->row, 2);
}

struct CellCase {
    QString stored;
    std::array<int, 6> preselected;
};

class PresetCells : public testing::TestWithParam<CellCase> {};

// A missing or non-numeric cell starts on the output's own number; a number the switcher
// lacks leaves the list without a choice (0).
TEST_P(PresetCells, EditStartsOnTheStoredInputTheOwnNumberOrNoChoice) {
    const CellCase c = GetParam();
    PresenterHarness h;
    loadRowTwo(h, c.stored);
    const auto edit = h.presets->btnPreEditClick({});
    ASSERT_TRUE(edit);
    EXPECT_EQ(inputsOf(*edit), c.preselected);
}

INSTANTIATE_TEST_SUITE_P(Cases, PresetCells,
                         testing::Values(CellCase{"x,9,0,\"\",-1,3", {1, 0, 0, 4, 0, 3}},
                                         CellCase{"6,5,4,3,2,1", {6, 5, 4, 3, 2, 1}},
                                         CellCase{"7 8 abc 2.5 2", {0, 0, 3, 4, 2, 1}},
                                         CellCase{"", {1, 2, 3, 4, 5, 6}}),
                         testing_support::CaseNamer([](const CellCase& c) {
                             return c.stored.isEmpty() ? "empty" : c.stored.toStdString();
                         }));

TEST(PresetPresenter, OkKeepsAnOutOfRangeCellUnlessAnInputWasChosen) {
    PresenterHarness h;
    loadRowTwo(h, "0,7,3,4,5,6");
    auto edit = h.presets->btnPreEditClick({});
    ASSERT_TRUE(edit);
    edit->inputs[1] = 2;  // the operator chose In2 for output 2 only
    h.presets->editAccepted(*edit);
    EXPECT_EQ(h.presets->rows()[1].cells, (QStringList{"0", "2", "3", "4", "5", "6"}));
}

TEST(PresetPresenter, PortToPortAndOkStoresOneToSixAndShowsTheRow) {
    PresenterHarness h;
    loadRowTwo(h, "3,4,1,2,3,4,extra");
    auto edit = h.presets->btnPreEditClick({});
    ASSERT_TRUE(edit);
    edit->name = "Straight";
    edit->chooseAllOutputsFrom(ui::OutputSettingEdit::kPortToPortEntry);
    h.presets->editAccepted(*edit);
    const Row expected{"Straight", {"1", "2", "3", "4", "5", "6", "extra"}};
    EXPECT_EQ(h.presets->rows()[1], expected);
    EXPECT_EQ(h.presetView.rows[2], expected);
}

TEST(PresetPresenter, WithoutASelectionEditAndSetOnlyAskForOne) {
    PresenterHarness h;
    EXPECT_FALSE(h.presets->btnPreEditClick({}));
    h.presets->btnSetClick();
    h.presets->setSelectedRow(9);
    h.presets->btnSetClick();
    EXPECT_EQ(h.boxes, (std::vector<QString>(3, kSelectText)));
    EXPECT_TRUE(h.transport->written.isEmpty());
}

TEST(PresetPresenter, SetAppliesEveryOutputInOrder) {
    PresenterHarness h;
    loadRowTwo(h, "3,4");
    h.presets->btnSetClick();
    EXPECT_EQ(h.routesSent(), (std::vector<Route>{{1, 3}, {2, 4}, {3, 1}, {4, 2}, {5, 3}, {6, 4}}));
    EXPECT_EQ(h.switcherRoutes(), (std::vector<int>{3, 4, 1, 2, 3, 4}));
    EXPECT_EQ(h.routingView.down[6], 4);
    EXPECT_EQ(h.routingView.digits[6], "4");
    EXPECT_FALSE(h.routing->routeFailed());
}

TEST(PresetPresenter, SetStopsAtTheFirstFailedOutput) {
    PresenterHarness h;
    loadRowTwo(h, "3,4,1,2,3,4");
    h.failOutput(3);
    h.presets->btnSetClick();
    EXPECT_EQ(h.routesSent(), (std::vector<Route>{{1, 3}, {2, 4}, {3, 1}}));
    EXPECT_EQ(h.switcherRoutes(), (std::vector<int>{3, 4, 3, 4, 5, 6}));
    EXPECT_EQ(h.routing->shownInput(3), 6);
    EXPECT_TRUE(h.routing->routeFailed());
}

TEST(PresetPresenter, SetStopsBeforeACellThatIsNoInput) {
    PresenterHarness h;
    loadRowTwo(h, "3,4,2,9,1,1");
    h.presets->btnSetClick();
    EXPECT_EQ(h.routesSent(), (std::vector<Route>{{1, 3}, {2, 4}, {3, 2}}));
    EXPECT_EQ(
        h.status.back(),
        (Status{3, "Pre-setting stopped: Output4 holds \"9\", not an input from 1 to 6", false}));
    EXPECT_EQ(h.routing->shownInput(4), 6);
}

TEST(PresetPresenter, SetWithPowerOffStopsAtOutputOne) {
    PresenterHarness h;
    loadRowTwo(h, "3,4");
    h.powerOn = false;
    h.presets->btnSetClick();
    EXPECT_EQ(h.boxes, std::vector<QString>{testing_support::kPowerOffText});
    EXPECT_TRUE(h.transport->written.isEmpty());
    EXPECT_EQ(h.routing->shownInput(1), 6);
    EXPECT_EQ(h.routingView.down[1], 6);
}

TEST(PresetPresenter, ShowingThePageWhilePoweredOffDoesNothing) {
    PresenterHarness h;
    h.powerOn = false;
    h.presets->tsSettingShow();
    EXPECT_TRUE(h.transport->written.isEmpty());
    EXPECT_TRUE(h.boxes.empty());
    EXPECT_EQ(h.presets->selectedRow(), 0);
}

TEST(PresetPresenter, ShowingThePageSelectsTheFirstRowAndReadsTheRoutes) {
    PresenterHarness h;
    h.setSwitcherRoutes({2, 2, 2, 1, 1, 1});
    h.presets->tsSettingShow();
    EXPECT_EQ(h.presets->selectedRow(), 1);
    EXPECT_EQ(h.presetView.selected, 1);
    EXPECT_EQ(h.routing->shownInput(1), 2);
    EXPECT_EQ(h.routing->shownInput(6), 1);
}

TEST(PresetPresenter, ShowingThePageKeepsASelectedRow) {
    PresenterHarness h;
    h.presets->setSelectedRow(5);
    h.presets->tsSettingShow();
    EXPECT_EQ(h.presets->selectedRow(), 5);
    EXPECT_EQ(h.presetView.selected, 0);
}

}  // namespace

#include <gtest/gtest.h>

#include "EdidPresenterHarness.h"

using namespace edid_testing;

namespace {

config::PortTags someTags() {
    config::PortTags tags;
    tags.inputs[1] = QStringLiteral("DVD");
    tags.inputs[5] = QStringLiteral("[PC]");
    tags.outputs[2] = QStringLiteral("TV");
    return tags;
}

TEST(EdidLists, ModeListHoldsNineteenEntriesEndingWithDefaultEdid) {
    EdidHarness h;
    const QStringList modes = h.view.entries.at(EdidList::Mode);
    ASSERT_EQ(modes.size(), 19);
    EXPECT_EQ(modes.first(), QStringLiteral("Select EDID"));
    EXPECT_EQ(modes[17], QStringLiteral("User2"));
    EXPECT_EQ(modes.last(), QStringLiteral("Default EDID"));
    EXPECT_EQ(h.view.selected.at(EdidList::Mode), 0);
}

TEST(EdidLists, PortListsShowTheTagsAndStartAtTheirFirstEntry) {
    EdidHarness h;
    h.edid->RebuildEdidLists(someTags());
    const QStringList inputs{"Select Input", "In1", "In2 - [DVD]",  "In3",
                             "In4",          "In5", "In6 - [[PC]]", "All Inputs"};
    const QStringList outputs{"Select Output", "Out1", "Out2", "Out3 - [TV]",
                              "Out4",          "Out5", "Out6"};
    EXPECT_EQ(h.view.entries.at(EdidList::SetModeInput), inputs);
    EXPECT_EQ(h.view.entries.at(EdidList::CopyInput), inputs);
    EXPECT_EQ(h.view.entries.at(EdidList::DownloadInput),
              (inputs + QStringList{"User1 Memory", "User2 Memory"}));
    EXPECT_EQ(h.view.entries.at(EdidList::CopyOutput), outputs);
    EXPECT_EQ(h.view.entries.at(EdidList::ReadOutput), outputs);
    for (const EdidList list : {EdidList::SetModeInput, EdidList::CopyOutput, EdidList::CopyInput,
                                EdidList::ReadOutput, EdidList::DownloadInput}) {
        EXPECT_EQ(h.view.selected.at(list), 0);
    }
}

TEST(EdidLists, RebuildKeepsEachSelectedIndex) {
    EdidHarness h;
    const std::map<EdidList, int> chosen{{EdidList::SetModeInput, 7},
                                         {EdidList::CopyOutput, 3},
                                         {EdidList::CopyInput, 2},
                                         {EdidList::ReadOutput, 6},
                                         {EdidList::DownloadInput, 9}};
    for (const auto& [list, index] : chosen) h.choose(list, index);
    h.choose(EdidList::Mode, 5);
    h.edid->RebuildEdidLists(someTags());
    for (const auto& [list, index] : chosen) EXPECT_EQ(h.view.selected.at(list), index);
    EXPECT_EQ(h.view.selected.at(EdidList::Mode), 5);
    EXPECT_EQ(h.view.entries.at(EdidList::CopyOutput)[3], QStringLiteral("Out3 - [TV]"));
}

TEST(EdidChoices, SaveThenLoadRestoresTextsAndPaths) {
    EdidHarness h;
    h.edid->RebuildEdidLists(someTags());
    h.choose(EdidList::Mode, 17);
    h.choose(EdidList::SetModeInput, 2);
    h.choose(EdidList::CopyOutput, 3);
    h.choose(EdidList::CopyInput, 7);
    h.choose(EdidList::ReadOutput, 1);
    h.choose(EdidList::DownloadInput, 8);
    h.view.save = QStringLiteral("/s/e.bin");
    h.view.open = QStringLiteral("/o/f.bin");
    const config::EdidChoices saved = h.edid->SaveEdidChoices();
    EXPECT_EQ(saved, (config::EdidChoices{"User2", "In2 - [DVD]", "Out3 - [TV]", "All Inputs",
                                          "Out1", "User1 Memory", "/s/e.bin", "/o/f.bin"}));

    EdidHarness fresh;
    fresh.edid->RebuildEdidLists(someTags());
    fresh.edid->LoadEdidChoices(saved);
    EXPECT_EQ(fresh.view.selected, h.view.selected);
    EXPECT_EQ(fresh.view.save, h.view.save);
    EXPECT_EQ(fresh.view.open, h.view.open);
}

TEST(EdidChoices, ATextNoLongerListedSelectsTheFirstEntry) {
    EdidHarness h;  // no tags: "In2 - [DVD]" and "Out3 - [TV]" are gone
    h.edid->LoadEdidChoices(
        {"Auto EDID", "In2 - [DVD]", "Out3 - [TV]", "in1", "", "User2 Memory", "", ""});
    EXPECT_EQ(h.view.selected.at(EdidList::Mode), 0);
    EXPECT_EQ(h.view.selected.at(EdidList::SetModeInput), 0);
    EXPECT_EQ(h.view.selected.at(EdidList::CopyOutput), 0);
    EXPECT_EQ(h.view.selected.at(EdidList::CopyInput), 0);  // the case must match
    EXPECT_EQ(h.view.selected.at(EdidList::ReadOutput), 0);
    EXPECT_EQ(h.view.selected.at(EdidList::DownloadInput), 9);
}

TEST(EdidGrid, HeadersAreDrawnEvenWithoutData) {
    EdidHarness h;
    h.view.cells[0] = QStringLiteral("AB");
    EXPECT_FALSE(h.edid->LoadEdidIntoGrid());
    EXPECT_EQ(h.view.columns, QStringList({"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "A",
                                           "B", "C", "D", "E", "F"}));
    EXPECT_EQ(h.view.rows, QStringList({"00", "10", "20", "30", "40", "50", "60", "70", "80", "90",
                                        "A0", "B0", "C0", "D0", "E0", "F0"}));
    EXPECT_EQ(h.view.cells[0], QStringLiteral("AB"));
}

TEST(EdidGrid, ClearEmptiesEveryCellAndTheSummary) {
    EdidHarness h;
    h.openEdid(h.sim.state().outputEdid[0]);
    ASSERT_FALSE(h.view.summary.isEmpty());
    h.edid->btnClearEDIDContentClick();
    EXPECT_EQ(h.view.cells, QStringList(256, QString()));
    EXPECT_EQ(h.view.summary, QString());
    QByteArray target;
    EXPECT_FALSE(h.edid->GridToEdid(target));
}

TEST(EdidGrid, GridToEdidGivesTheLoadedBytes) {
    EdidHarness h;
    const QByteArray image = h.sim.state().outputEdid[3];
    ASSERT_TRUE(h.edid->LoadEdidIntoGrid(image + char(0x01)));  // the 257th byte is dropped
    QByteArray target;
    ASSERT_TRUE(h.edid->GridToEdid(target));
    EXPECT_EQ(target, image);
}

}  // namespace

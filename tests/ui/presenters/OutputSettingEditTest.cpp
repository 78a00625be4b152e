#include <gtest/gtest.h>

#include "support/CaseName.h"
#include "ui/presenters/setting/OutputSettingEdit.h"

namespace {

using ui::OutputSettingEdit;

config::PortTags inputTwoAndOutputThreeTagged() {
    config::PortTags tags;
    tags.inputs[1] = "DVD";
    tags.outputs[2] = "TV";
    return tags;
}

TEST(OutputSettingEdit, ListsAndLabelsShowTheTags) {
    const auto edit =
        OutputSettingEdit::forRow(2, "Night", {1, 2, 3, 4, 5, 6}, inputTwoAndOutputThreeTagged());
    EXPECT_EQ(edit.inputEntries, (QStringList{"In1", "In2 - [DVD]", "In3", "In4", "In5", "In6"}));
    EXPECT_EQ(edit.allOutputsEntries, (QStringList{"Select Input", "In1", "In2 - [DVD]", "In3",
                                                   "In4", "In5", "In6", "Port to Port"}));
    EXPECT_EQ(edit.outputLabels[0], "Out1 from");
    EXPECT_EQ(edit.outputLabels[2], "Out3 - [TV] from");
    EXPECT_EQ(edit.name, "Night");
    EXPECT_EQ(edit.row, 2);
}

struct AllOutputsCase {
    int entry;
    std::array<int, 6> expected;
};

class AllOutputsFrom : public testing::TestWithParam<AllOutputsCase> {};

TEST_P(AllOutputsFrom, OverwritesEverySingleChoice) {
    const AllOutputsCase c = GetParam();
    auto edit = OutputSettingEdit::forRow(1, "", {3, 4, 1, 2, 3, 4}, {});
    edit.chooseAllOutputsFrom(c.entry);
    EXPECT_EQ(edit.inputs, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, AllOutputsFrom,
                         testing::Values(AllOutputsCase{0, {3, 4, 1, 2, 3, 4}},  // "Select Input"
                                         AllOutputsCase{1, {1, 1, 1, 1, 1, 1}},
                                         AllOutputsCase{5, {5, 5, 5, 5, 5, 5}},
                                         AllOutputsCase{7, {1, 2, 3, 4, 5, 6}},  // "Port to Port"
                                         AllOutputsCase{8, {3, 4, 1, 2, 3, 4}},
                                         AllOutputsCase{-1, {3, 4, 1, 2, 3, 4}}),
                         testing_support::CaseNamer([](const AllOutputsCase& c) {
                             return "entry " + std::to_string(c.entry);
                         }));

}  // namespace

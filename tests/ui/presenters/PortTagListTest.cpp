#include <gtest/gtest.h>

#include "ui/presenters/setting/PortEntryText.h"

namespace {

TEST(TagListLines, OutputsFirstThenInputs) {
    config::PortTags tags;
    tags.outputs[0] = "TV";
    tags.inputs[5] = "PC [2]";
    const QStringList expected{"Output1 - [TV]",   "Output2 - No tag", "Output3 - No tag",
                               "Output4 - No tag", "Output5 - No tag", "Output6 - No tag",
                               "Input1 - No tag",  "Input2 - No tag",  "Input3 - No tag",
                               "Input4 - No tag",  "Input5 - No tag",  "Input6 - [PC [2]]"};
    EXPECT_EQ(ui::tagListLines(tags), expected);
}

TEST(TagListLines, NoTagsStillListsEveryPort) {
    const QStringList lines = ui::tagListLines({});
    ASSERT_EQ(lines.size(), 12);
    for (const QString& line : lines) EXPECT_TRUE(line.endsWith(" - No tag")) << line.toStdString();
}

}  // namespace

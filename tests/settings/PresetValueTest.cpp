#include <gtest/gtest.h>

#include "TestSupport.h"
#include "settings/PresetValue.h"

namespace config {
namespace {

TEST(PresetValueTest, SplitsAndPadsToSixCells) {
    const struct {
        const char* text;
        QStringList cells;
    } cases[] = {
        {"1,2,3,4,5,6", {"1", "2", "3", "4", "5", "6"}},
        {"3,4", {"3", "4", "1", "2", "3", "4"}},
        {"", {"1", "2", "3", "4", "5", "6"}},
        {"   ", {"1", "2", "3", "4", "5", "6"}},
        {"6", {"6", "1", "2", "3", "4", "5"}},
        {"\"a b\" 5", {"a b", "5", "1", "2", "3", "4"}},
        {"1 2  3\t4 , 5 ,6", {"1", "2", "3", "4", "5", "6"}},
        {"1,,3", {"1", "", "3", "1", "2", "3"}},
        {",2", {"", "2", "1", "2", "3", "4"}},
        {"1,", {"1", "", "1", "2", "3", "4"}},
        {"1,2,3,4,5,6,7,8", {"1", "2", "3", "4", "5", "6", "7", "8"}},
        {"\"say \"\"hi\"\"\",x", {"say \"hi\"", "x", "1", "2", "3", "4"}},
        {"\"open end", {"open end", "1", "2", "3", "4", "5"}},
        {"\"a\"b", {"a", "b", "1", "2", "3", "4"}},
        {"\"\"", {"", "1", "2", "3", "4", "5"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(splitPresetValue(QString::fromUtf8(c.text)), c.cells) << c.text;
    }
}

TEST(PresetValueTest, JoinsWithCommasQuotingOnlyWhereNeeded) {
    const struct {
        QStringList cells;
        const char* text;
    } cases[] = {
        {{"1", "2", "3", "4", "5", "6"}, "1,2,3,4,5,6"},
        {{}, ""},
        {{"a b", "5"}, "\"a b\",5"},
        {{"1", "", "3"}, "1,\"\",3"},
        {{"say \"hi\"", "x,y"}, "\"say \"\"hi\"\"\",\"x,y\""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(joinPresetValue(c.cells), QString::fromUtf8(c.text)) << c.text;
    }
}

TEST(PresetValueTest, JoinedCellsSplitBackUnchanged) {
    const QStringList rows[] = {
        {"3", "4", "1", "2", "3", "4"},
        {"a b", "5", "", "\"", ",", "x\ty", "7"},
        {"", "", "", "", "", ""},
    };
    for (const QStringList& cells : rows) {
        EXPECT_EQ(splitPresetValue(joinPresetValue(cells)), cells)
            << joinPresetValue(cells).toStdString();
    }
}

}  // namespace
}  // namespace config

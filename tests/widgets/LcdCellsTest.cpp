#include <gtest/gtest.h>

#include "LcdSampling.h"
#include "support/CaseName.h"
#include "widgets/LcdCells.h"

namespace widgets {
namespace {

// "[1.]" is a cell showing 1 with a dot in its slot.
QString describe(const std::vector<LcdCell>& cells) {
    QString text;
    for (const LcdCell& cell : cells) {
        text += u'[';
        text += cell.glyph;
        if (cell.slot == DotMark::Dot) text += u'.';
        if (cell.slot == DotMark::Colon) text += u':';
        text += u']';
    }
    return text;
}

struct LayoutCase {
    const char* value;
    int digitNum;
    bool dotSlots;
    const char* cells;
};

void PrintTo(const LayoutCase& c, std::ostream* os) {
    *os << '"' << c.value << "\" in " << c.digitNum << (c.dotSlots ? " with dot slots" : "");
}

class LayoutTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(LayoutTest, SplitsValueIntoRightAlignedCells) {
    const LayoutCase& c = GetParam();
    EXPECT_EQ(describe(layoutCells(QString::fromLatin1(c.value), c.digitNum, c.dotSlots)),
              QString::fromLatin1(c.cells));
}

INSTANTIATE_TEST_SUITE_P(
    LcdCells, LayoutTest,
    ::testing::Values(LayoutCase{"12", 4, false, "[ ][ ][1][2]"},
                      LayoutCase{"", 2, false, "[ ][ ]"}, LayoutCase{"1234", 1, false, "[4]"},
                      LayoutCase{"123456", 3, false, "[4][5][6]"},
                      LayoutCase{"1.2", 3, false, "[1][.][2]"},
                      LayoutCase{"1.2", 2, true, "[1.][2]"},
                      LayoutCase{"12:34", 4, true, "[1][2:][3][4]"},
                      LayoutCase{"8.", 1, true, "[8.]"}, LayoutCase{".5", 2, true, "[ .][5]"},
                      LayoutCase{"1..", 3, true, "[ ][1.][ .]"}, LayoutCase{"1.", 0, true, ""}),
    testing_support::CaseNamer([](const LayoutCase& c) {
        return testing::spelledValue(c.value) + " in " + std::to_string(c.digitNum) +
               (c.dotSlots ? " with slots" : "");
    }));

}  // namespace
}  // namespace widgets

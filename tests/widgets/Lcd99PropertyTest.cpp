#include <gtest/gtest.h>

#include <QMetaProperty>
#include <climits>
#include <functional>

#include "LcdSampling.h"

namespace widgets {
namespace {

using testing::render;
using testing::routingDisplay;

TEST(Lcd99Properties, AreReachableByTheirNames) {
    TLCD99 display;
    ASSERT_TRUE(display.setProperty("Value", QString("42")));
    ASSERT_TRUE(display.setProperty("DigitNum", 2));
    ASSERT_TRUE(display.setProperty("OnColor", QColor(Qt::green)));
    ASSERT_TRUE(display.setProperty("DotDisplay", true));
    EXPECT_EQ(display.value(), "42");
    EXPECT_EQ(display.digitNum(), 2);
    EXPECT_EQ(display.onColor(), QColor(Qt::green));
    EXPECT_TRUE(display.dotDisplay());
    for (const char* name : {"Color", "OffColor", "SegmentSize", "GapX", "GapY", "DigitSpacing",
                             "DotSpacing", "DoubleBuffer"}) {
        EXPECT_TRUE(display.property(name).isValid()) << name;
    }
}

struct ClampCase {
    const char* name;
    std::function<void(TLCD99&)> set;
    std::function<int(const TLCD99&)> get;
    int expected;
};

void PrintTo(const ClampCase& c, std::ostream* os) {
    *os << c.name;
}

class ClampTest : public ::testing::TestWithParam<ClampCase> {};

TEST_P(ClampTest, OutOfRangeSettingIsClamped) {
    TLCD99 display;
    GetParam().set(display);
    EXPECT_EQ(GetParam().get(display), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lcd99Properties, ClampTest,
    ::testing::Values(ClampCase{"DigitNumZero", [](TLCD99& d) { d.setDigitNum(0); },
                                [](const TLCD99& d) { return d.digitNum(); }, 1},
                      ClampCase{"DigitNumNegative", [](TLCD99& d) { d.setDigitNum(-5); },
                                [](const TLCD99& d) { return d.digitNum(); }, 1},
                      ClampCase{"DigitNumHuge", [](TLCD99& d) { d.setDigitNum(INT_MAX); },
                                [](const TLCD99& d) { return d.digitNum(); }, TLCD99::kMaxDigits},
                      ClampCase{"SegmentSizeZero", [](TLCD99& d) { d.setSegmentSize(0); },
                                [](const TLCD99& d) { return d.segmentSize(); }, 1},
                      ClampCase{"GapXNegative", [](TLCD99& d) { d.setGapX(-3); },
                                [](const TLCD99& d) { return d.gapX(); }, 0},
                      ClampCase{"GapYNegative", [](TLCD99& d) { d.setGapY(-3); },
                                [](const TLCD99& d) { return d.gapY(); }, 0},
                      ClampCase{"DigitSpacingNegative", [](TLCD99& d) { d.setDigitSpacing(-1); },
                                [](const TLCD99& d) { return d.digitSpacing(); }, 0},
                      ClampCase{"DotSpacingNegative", [](TLCD99& d) { d.setDotSpacing(INT_MIN); },
                                [](const TLCD99& d) { return d.dotSpacing(); }, 0}),
    [](const auto& info) { return std::string(info.param.name); });

struct ExtremeCase {
    const char* name;
    const char* value;
    QSize size;
    std::function<void(TLCD99&)> set;
};

void PrintTo(const ExtremeCase& c, std::ostream* os) {
    *os << c.name;
}

class ExtremeTest : public ::testing::TestWithParam<ExtremeCase> {};

// Settings with no room for a digit leave just the background.
TEST_P(ExtremeTest, PaintsBackgroundWithoutFault) {
    const auto display = routingDisplay();
    display->setValue(QString::fromLatin1(GetParam().value));
    display->setColor(Qt::blue);
    display->resize(GetParam().size);
    GetParam().set(*display);
    const QImage image = render(*display);
    ASSERT_EQ(image.size(), GetParam().size);
    if (!image.isNull()) {
        EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::blue));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lcd99Properties, ExtremeTest,
    ::testing::Values(ExtremeCase{"Empty", "8", QSize(0, 0), [](TLCD99&) {}},
                      ExtremeCase{"OnePixel", "8", QSize(1, 1), [](TLCD99&) {}},
                      ExtremeCase{"HugeSegments", "8", QSize(81, 89),
                                  [](TLCD99& d) { d.setSegmentSize(INT_MAX); }},
                      ExtremeCase{"HugeDot", ".", QSize(81, 89),
                                  [](TLCD99& d) { d.setSegmentSize(INT_MAX); }},
                      ExtremeCase{"HugeGaps", "8", QSize(81, 89),
                                  [](TLCD99& d) {
                                      d.setGapX(INT_MAX);
                                      d.setGapY(INT_MAX);
                                  }},
                      ExtremeCase{"HugeDigitSpacing", "8888", QSize(81, 89),
                                  [](TLCD99& d) {
                                      d.setDigitNum(TLCD99::kMaxDigits);
                                      d.setDigitSpacing(INT_MAX);
                                  }},
                      ExtremeCase{"HugeDotSpacing", "8.", QSize(81, 89),
                                  [](TLCD99& d) {
                                      d.setDotDisplay(true);
                                      d.setDotSpacing(INT_MAX);
                                  }}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace widgets

#include <gtest/gtest.h>

#include "LcdSampling.h"
#include "support/CaseName.h"

namespace widgets {
namespace {

using testing::kCellWidth;
using testing::litSegments;
using testing::render;
using testing::routingDisplay;

struct GlyphCase {
    const char* value;
    const char* lit;
};

void PrintTo(const GlyphCase& c, std::ostream* os) {
    *os << '"' << c.value << '"';
}

class SingleDigitTest : public ::testing::TestWithParam<GlyphCase> {};

TEST_P(SingleDigitTest, LightsExactlyItsSegments) {
    const auto display = routingDisplay();
    display->setValue(QString::fromLatin1(GetParam().value));
    EXPECT_EQ(litSegments(render(*display), 0), QString::fromLatin1(GetParam().lit));
}

INSTANTIATE_TEST_SUITE_P(
    RoutingView, SingleDigitTest,
    ::testing::Values(GlyphCase{"0", "abcdef"}, GlyphCase{"1", "bc"}, GlyphCase{"2", "abdeg"},
                      GlyphCase{"3", "abcdg"}, GlyphCase{"4", "bcfg"}, GlyphCase{"5", "acdfg"},
                      GlyphCase{"6", "acdefg"}, GlyphCase{"7", "abc"}, GlyphCase{"8", "abcdefg"},
                      GlyphCase{"9", "abcdfg"}, GlyphCase{"-", "g"}, GlyphCase{" ", ""},
                      GlyphCase{"", ""}, GlyphCase{"#", ""}, GlyphCase{"A", "abcefg"},
                      GlyphCase{"a", "abcefg"}, GlyphCase{"h", "bcefg"}, GlyphCase{"1234", "bcfg"}),
    testing_support::CaseNamer([](const GlyphCase& c) { return testing::spelledValue(c.value); }));

TEST(Lcd99Render, LowerCaseLetterDrawsLikeUpperCase) {
    const auto display = routingDisplay();
    for (char letter = 'a'; letter <= 'z'; ++letter) {
        display->setValue(QString(QChar(letter)));
        const QImage lower = render(*display);
        display->setValue(QString(QChar(letter)).toUpper());
        EXPECT_EQ(lower, render(*display)) << letter;
    }
}

TEST(Lcd99Render, DigitFillsTheWholeWidget) {
    const auto display = routingDisplay();
    display->setValue("8");
    const QImage image = render(*display);
    // Outer edges of f, b, a and d touch the widget's borders.
    for (const QPoint edge : {QPoint(0, 25), QPoint(80, 25), QPoint(40, 0), QPoint(40, 88)}) {
        EXPECT_EQ(image.pixelColor(edge), QColor(Qt::red)) << edge.x() << "," << edge.y();
    }
}

TEST(Lcd99Render, UnlitSegmentsTakeOffColourAndTheRestTheBackground) {
    const auto display = routingDisplay();
    const QColor grey(80, 80, 80);
    const QColor blue(0, 0, 90);
    display->setOffColor(grey);
    display->setColor(blue);
    display->setValue("1");
    const QImage image = render(*display);
    EXPECT_EQ(litSegments(image, 0, Qt::red, grey), "bc");
    EXPECT_EQ(image.pixelColor(5, 25), grey);
    EXPECT_EQ(image.pixelColor(0, 0), blue);
    EXPECT_EQ(image.pixelColor(40, 25), blue);
}

TEST(Lcd99Render, ShortValueIsRightAligned) {
    const auto display = routingDisplay(4 * kCellWidth);
    display->setDigitNum(4);
    display->setDigitSpacing(0);
    display->setValue("12");
    const QImage image = render(*display);
    EXPECT_EQ(litSegments(image, 0), "");
    EXPECT_EQ(litSegments(image, kCellWidth), "");
    EXPECT_EQ(litSegments(image, 2 * kCellWidth), "bc");
    EXPECT_EQ(litSegments(image, 3 * kCellWidth), "abdeg");
}

TEST(Lcd99Render, DotAndColonTakeACellOfTheirOwn) {
    const auto display = routingDisplay();
    display->setValue(".");
    QImage image = render(*display);
    EXPECT_EQ(image.pixelColor(40, 84), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(15, 84), QColor(Qt::black));

    display->setValue(":");
    image = render(*display);
    EXPECT_EQ(image.pixelColor(40, 22), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(40, 66), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(40, 44), QColor(Qt::black));
}

struct SlotCase {
    const char* value;
    std::vector<QPoint> red;
    std::vector<QPoint> grey;
};

void PrintTo(const SlotCase& c, std::ostream* os) {
    *os << '"' << c.value << '"';
}

class DotSlotTest : public ::testing::TestWithParam<SlotCase> {};

// With DotDisplay on, a 10 px dot slot follows the digit cell at x 81..91.
TEST_P(DotSlotTest, MarkSitsInTheSlotAfterItsDigit) {
    const QColor grey(80, 80, 80);
    const auto display = routingDisplay(kCellWidth + 10);
    display->setDotDisplay(true);
    display->setDotSpacing(10);
    display->setOffColor(grey);
    display->setValue(QString::fromLatin1(GetParam().value));
    const QImage image = render(*display);
    EXPECT_EQ(litSegments(image, 0, Qt::red, grey), "abcdefg");
    for (const QPoint p : GetParam().red) EXPECT_EQ(image.pixelColor(p), QColor(Qt::red));
    for (const QPoint p : GetParam().grey) EXPECT_EQ(image.pixelColor(p), grey);
}

INSTANTIATE_TEST_SUITE_P(
    Lcd99Render, DotSlotTest,
    ::testing::Values(SlotCase{"8.", {QPoint(86, 84)}, {}}, SlotCase{"8", {}, {QPoint(86, 84)}},
                      SlotCase{"8:", {QPoint(86, 22), QPoint(86, 66)}, {}}),
    testing_support::CaseNamer([](const SlotCase& c) { return testing::spelledValue(c.value); }));

// A hidden widget gets a fresh resize event on every grab, so the cache tests show it.
TEST(Lcd99Render, DirectPaintingMatchesTheCachedImage) {
    const auto display = routingDisplay();
    display->show();
    display->setValue("6");
    const QImage cached = render(*display);
    display->setDoubleBuffer(false);
    EXPECT_EQ(render(*display), cached);
    EXPECT_EQ(litSegments(cached, 0), "acdefg");
}

TEST(Lcd99Render, NewValueReplacesTheCachedImage) {
    const auto display = routingDisplay();
    display->show();
    display->setValue("1");
    EXPECT_EQ(litSegments(render(*display), 0), "bc");
    display->setValue("7");
    EXPECT_EQ(litSegments(render(*display), 0), "abc");
}

TEST(Lcd99Render, ResizeRebuildsTheCachedImage) {
    const auto display = routingDisplay();
    display->show();
    display->setValue("8");
    render(*display);
    display->resize(2 * kCellWidth, testing::kCellHeight);
    const QImage wide = render(*display);
    ASSERT_EQ(wide.width(), 2 * kCellWidth);
    EXPECT_EQ(wide.pixelColor(2 * kCellWidth - 5, 25), QColor(Qt::red));
}

}  // namespace
}  // namespace widgets

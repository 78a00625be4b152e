#include <gtest/gtest.h>

#include <QPalette>
#include <QPoint>
#include <limits>
#include <vector>

#include "GaugeSampling.h"

namespace widgets {
namespace {

using testing::RecordedGauge;
using testing::render;
using testing::runLength;

const QColor kBlue(0, 0, 255);
const QColor kRed(255, 0, 0);
const QColor kWhite(255, 255, 255);
const QColor kBlack(0, 0, 0);
constexpr int kMiddleRow = 12;

struct BarCase {
    const char* name;
    qint32 progress;
    qint32 minValue;
    qint32 maxValue;
    int bar;  // filled columns from the first inner column, x = 1
};

void PrintTo(const BarCase& c, std::ostream* os) {
    *os << c.name;
}

class GaugeBar : public ::testing::TestWithParam<BarCase> {};

TEST_P(GaugeBar, FlatGaugeFillsExactlyTheComputedWidth) {
    RecordedGauge recorded;
    TVKGauge& gauge = *recorded.gauge;
    gauge.setShowText(false);
    gauge.setFrontColor(kBlue);
    // Widest range first, so that each case's Progress passes; a later MaxValue below it stays.
    gauge.setMaxValue(std::numeric_limits<qint32>::max());
    gauge.setMinValue(GetParam().minValue);
    gauge.setProgress(GetParam().progress);
    gauge.setMaxValue(GetParam().maxValue);
    ASSERT_EQ(recorded.errors, QStringList());

    const QImage image = render(gauge);
    EXPECT_EQ(runLength(image, kMiddleRow, 1, kBlue), GetParam().bar);
    EXPECT_EQ(image.pixelColor(0, kMiddleRow), kBlack);
    if (GetParam().bar < 298) {
        EXPECT_EQ(image.pixelColor(1 + GetParam().bar, kMiddleRow), kWhite);
    }
    // The bar keeps to the inner rows even when it runs over the right border.
    EXPECT_EQ(image.pixelColor(1, 0), kBlack);
    EXPECT_EQ(image.pixelColor(1, 23), kBlack);
}

// The inner rectangle of the 300-pixel gauge is 298 pixels wide.
INSTANTIATE_TEST_SUITE_P(
    Paint, GaugeBar,
    ::testing::Values(BarCase{"Half", 50, 0, 100, 149}, BarCase{"Empty", 0, 0, 100, 0},
                      BarCase{"Full", 100, 0, 100, 298},
                      BarCase{"TwoThirdsTruncated", 2, 0, 3, 198},
                      BarCase{"OneThirdTruncated", 1, 0, 3, 99},
                      BarCase{"MinValueNotSubtracted", 50, 20, 120, 149},
                      BarCase{"LargeValuesDoNotOverflow", 1'000'000'000, 0, 2'000'000'000, 149},
                      BarCase{"BeyondTheRangeReachesTheEdge", 80, 0, 50, 299}),
    [](const auto& info) { return std::string(info.param.name); });

struct OutlineCase {
    const char* name;
    TVKGauge::TVKOUTLINE outline;
    std::vector<std::pair<QPoint, QColor>> pixels;
};

void PrintTo(const OutlineCase& c, std::ostream* os) {
    *os << c.name;
}

class GaugeOutline : public ::testing::TestWithParam<OutlineCase> {};

TEST_P(GaugeOutline, EdgesTakeTheirColours) {
    TVKGauge gauge;
    gauge.setShowText(false);
    gauge.setOutLine(GetParam().outline);
    gauge.setBorderColor(kRed);
    gauge.setFrame3DTopColor(QColor(0, 128, 0));
    gauge.setFrame3DBottomColor(QColor(128, 128, 0));
    gauge.setBackColor(QColor(0, 0, 128));
    const QImage image = render(gauge);
    for (const auto& [point, colour] : GetParam().pixels) {
        EXPECT_EQ(image.pixelColor(point), colour) << point.x() << "," << point.y();
    }
}

const QColor kTop(0, 128, 0);
const QColor kBottom(128, 128, 0);
const QColor kNavy(0, 0, 128);

INSTANTIATE_TEST_SUITE_P(Paint, GaugeOutline,
                         ::testing::Values(OutlineCase{"Flat",
                                                       TVKGauge::olFLAT,
                                                       {{{0, 0}, kRed},
                                                        {{299, 0}, kRed},
                                                        {{0, 23}, kRed},
                                                        {{299, 23}, kRed},
                                                        {{150, 0}, kRed},
                                                        {{150, 23}, kRed},
                                                        {{0, 12}, kRed},
                                                        {{299, 12}, kRed},
                                                        {{1, 1}, kNavy},
                                                        {{298, 22}, kNavy}}},
                                           OutlineCase{"ThreeD",
                                                       TVKGauge::ol3D,
                                                       {{{0, 0}, kTop},
                                                        {{150, 0}, kTop},
                                                        {{0, 12}, kTop},
                                                        {{299, 0}, kBottom},
                                                        {{0, 23}, kBottom},
                                                        {{299, 12}, kBottom},
                                                        {{150, 23}, kBottom},
                                                        {{299, 23}, kBottom},
                                                        {{1, 1}, kNavy},
                                                        {{298, 22}, kNavy}}}),
                         [](const auto& info) { return std::string(info.param.name); });

struct Census {
    int reddish = 0;
    int bluish = 0;
    int whitish = 0;
};

Census census(const QImage& image, int fromX, int toX) {
    Census counted;
    for (int y = 1; y < image.height() - 1; ++y) {
        for (int x = fromX; x < toX; ++x) {
            const QColor c = image.pixelColor(x, y);
            counted.reddish += c.red() > 150 && c.green() < 100 && c.blue() < 100;
            counted.bluish += c.blue() > 150 && c.red() < 100 && c.green() < 100;
            counted.whitish += c.red() > 200 && c.green() > 200 && c.blue() > 200;
        }
    }
    return counted;
}

TVKGauge& textGauge(RecordedGauge& recorded) {
    TVKGauge& gauge = *recorded.gauge;
    gauge.setCaption("Upgrade progress");
    gauge.setFrontColor(kBlue);
    QPalette palette = gauge.palette();
    palette.setColor(QPalette::WindowText, kRed);
    gauge.setPalette(palette);
    return gauge;
}

TEST(GaugeText, ReadsInBackColourOverTheBarAndInTheFontColourBeyond) {
    RecordedGauge recorded;
    TVKGauge& gauge = textGauge(recorded);
    gauge.setProgress(50);
    const QImage image = render(gauge);
    const Census overBar = census(image, 1, 150);
    const Census beyond = census(image, 150, 299);
    EXPECT_EQ(overBar.reddish, 0);
    EXPECT_GT(overBar.whitish, 0);
    EXPECT_GT(beyond.reddish, 0);
    EXPECT_EQ(beyond.bluish, 0);
}

TEST(GaugeText, EmptyCaptionWithoutPercentDrawsNothing) {
    RecordedGauge recorded;
    TVKGauge& gauge = textGauge(recorded);
    gauge.setProgress(50);
    gauge.setShowText(false);
    const QImage withoutText = render(gauge);
    gauge.setShowText(true);
    gauge.setShowPercent(false);
    EXPECT_NE(render(gauge), withoutText);
    gauge.setCaption("");
    EXPECT_EQ(render(gauge), withoutText);
}

struct AlignCase {
    const char* name;
    TVKGauge::TVKTXTALIGN align;
    int fromX;  // the text lies in columns fromX ... toX - 1
    int toX;
};

void PrintTo(const AlignCase& c, std::ostream* os) {
    *os << c.name;
}

class GaugeAlign : public ::testing::TestWithParam<AlignCase> {};

TEST_P(GaugeAlign, TextSitsOnItsSide) {
    RecordedGauge recorded;
    TVKGauge& gauge = textGauge(recorded);
    gauge.setTxtAlign(GetParam().align);
    const QImage image = render(gauge);
    EXPECT_EQ(census(image, 1, 299).reddish,
              census(image, GetParam().fromX, GetParam().toX).reddish);
    EXPECT_GT(census(image, GetParam().fromX, GetParam().toX).reddish, 0);
}

INSTANTIATE_TEST_SUITE_P(Paint, GaugeAlign,
                         ::testing::Values(AlignCase{"Left", TVKGauge::ttaLEFT, 1, 150},
                                           AlignCase{"Center", TVKGauge::ttaCENTER, 75, 225},
                                           AlignCase{"Right", TVKGauge::ttaRIGHT, 150, 299}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(GaugeTransparent, ParentShowsThroughTheEmptyPart) {
    QWidget parent;
    parent.resize(320, 40);
    parent.setAutoFillBackground(true);
    QPalette palette = parent.palette();
    palette.setColor(QPalette::Window, QColor(0, 200, 0));
    parent.setPalette(palette);
    auto* gauge = new TVKGauge(&parent);
    gauge->setShowText(false);
    gauge->setTransparent(true);
    const QImage image = parent.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(image.pixelColor(150, 12), QColor(0, 200, 0));
    EXPECT_EQ(image.pixelColor(0, 12), kBlack);
}

}  // namespace
}  // namespace widgets

#include <gtest/gtest.h>

#include <QPalette>
#include <functional>

#include "GaugeSampling.h"
#include "widgets/GaugeRules.h"

namespace widgets {
namespace {

using testing::RecordedGauge;

TEST(GaugeProperties, StartValuesReadByTheirNames) {
    const TVKGauge gauge;
    EXPECT_EQ(gauge.property("OutLine").value<TVKGauge::TVKOUTLINE>(), TVKGauge::olFLAT);
    EXPECT_EQ(gauge.property("Transparent"), false);
    EXPECT_FALSE(gauge.property("Caption").toString().isEmpty());
    EXPECT_EQ(gauge.property("TxtAlign").value<TVKGauge::TVKTXTALIGN>(), TVKGauge::ttaCENTER);
    EXPECT_EQ(gauge.property("ShowText"), true);
    EXPECT_EQ(gauge.property("ShowPercent"), true);
    EXPECT_EQ(gauge.property("Progress"), 0);
    EXPECT_EQ(gauge.property("FrontColor"), QColor(Qt::black));
    EXPECT_EQ(gauge.property("BackColor"), QColor(Qt::white));
    EXPECT_EQ(gauge.property("BorderColor"), QColor(Qt::black));
    EXPECT_EQ(gauge.property("Frame3DTopColor"), gauge.palette().color(QPalette::Shadow));
    EXPECT_EQ(gauge.property("Frame3DBottomColor"), QColor(Qt::white));
    EXPECT_EQ(gauge.property("MinValue"), 0);
    EXPECT_EQ(gauge.property("MaxValue"), 100);
    EXPECT_EQ(gauge.size(), QSize(300, 24));
}

struct RangeCase {
    const char* name;
    std::function<void(TVKGauge&)> act;
    const char* error;  // empty when the values are accepted
    qint32 progress;
    qint32 minValue;
    qint32 maxValue;
};

void PrintTo(const RangeCase& c, std::ostream* os) {
    *os << c.name;
}

class GaugeRange : public ::testing::TestWithParam<RangeCase> {};

// Every case starts from Progress 30 of 0 ... 100.
TEST_P(GaugeRange, RefusedValueIsReportedAndLeavesThePropertiesAlone) {
    RecordedGauge recorded;
    TVKGauge& gauge = *recorded.gauge;
    gauge.setProgress(30);
    GetParam().act(gauge);
    const QString error = QString::fromLatin1(GetParam().error);
    EXPECT_EQ(recorded.errors, error.isEmpty() ? QStringList() : QStringList{error});
    EXPECT_EQ(gauge.progress(), GetParam().progress);
    EXPECT_EQ(gauge.minValue(), GetParam().minValue);
    EXPECT_EQ(gauge.maxValue(), GetParam().maxValue);
}

INSTANTIATE_TEST_SUITE_P(
    Setters, GaugeRange,
    ::testing::Values(
        RangeCase{"ProgressAboveMax", [](TVKGauge& g) { g.setProgress(150); },
                  "Value is greater than MaxValue.", 30, 0, 100},
        RangeCase{"ProgressAtMax", [](TVKGauge& g) { g.setProgress(100); }, "", 100, 0, 100},
        RangeCase{"ProgressZero", [](TVKGauge& g) { g.setProgress(0); }, "", 0, 0, 100},
        RangeCase{"ProgressNegative", [](TVKGauge& g) { g.setProgress(-1); },
                  "Value must be greater than 0.", 30, 0, 100},
        RangeCase{"ProgressBelowMin",
                  [](TVKGauge& g) {
                      g.setMinValue(20);
                      g.setProgress(10);
                  },
                  "Value is less than MinValue.", 30, 20, 100},
        RangeCase{"NegativeProgressBelowMin",
                  [](TVKGauge& g) {
                      g.setMinValue(20);
                      g.setProgress(-5);
                  },
                  "Value must be greater than 0.", 30, 20, 100},
        RangeCase{"MinEqualToMax", [](TVKGauge& g) { g.setMinValue(100); },
                  "Value is greater than or equal to MaxValue.", 30, 0, 100},
        RangeCase{"MinNegative", [](TVKGauge& g) { g.setMinValue(-1); },
                  "Value must be greater than 0.", 30, 0, 100},
        RangeCase{"MinAboveProgress", [](TVKGauge& g) { g.setMinValue(99); }, "", 30, 99, 100},
        RangeCase{"MaxEqualToMin",
                  [](TVKGauge& g) {
                      g.setMinValue(10);
                      g.setMaxValue(10);
                  },
                  "Value is less than or equal to MinValue.", 30, 10, 100},
        RangeCase{"MaxZero", [](TVKGauge& g) { g.setMaxValue(0); },
                  "Value is less than or equal to MinValue.", 30, 0, 100},
        RangeCase{"MaxNegative", [](TVKGauge& g) { g.setMaxValue(-1); },
                  "Value must be greater than 0.", 30, 0, 100},
        RangeCase{"MaxBelowProgress",
                  [](TVKGauge& g) {
                      g.setProgress(80);
                      g.setMaxValue(50);
                  },
                  "", 80, 0, 50}),
    [](const auto& info) { return std::string(info.param.name); });

struct TextCase {
    const char* name;
    const char* caption;
    bool showPercent;
    qint64 percent;
    const char* text;
};

void PrintTo(const TextCase& c, std::ostream* os) {
    *os << c.name;
}

class GaugeTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(GaugeTextTest, JoinsCaptionAndPercentage) {
    EXPECT_EQ(gaugeText(QString::fromLatin1(GetParam().caption), GetParam().showPercent,
                        GetParam().percent),
              QString::fromLatin1(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Paint, GaugeTextTest,
    ::testing::Values(TextCase{"CaptionAndPercent", "Upgrade progress", true, 50,
                               "Upgrade progress 50%"},
                      TextCase{"PercentOnly", "", true, 7, "7%"},
                      TextCase{"CaptionOnly", "Upgrade progress", false, 50, "Upgrade progress"},
                      TextCase{"Nothing", "", false, 50, ""},
                      TextCase{"BeyondTheRange", "Upgrade", true, 160, "Upgrade 160%"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GaugeArithmetic, PercentIsTruncatedAndNotReducedByMinValue) {
    EXPECT_EQ(percentShown(2, 0, 3), 66);
    EXPECT_EQ(percentShown(50, 20, 120), 50);
    EXPECT_EQ(percentShown(2'000'000'000, 0, 2'000'000'000), 100);
}

}  // namespace
}  // namespace widgets

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <functional>

#include "GaugeSampling.h"
#include "PaintCounter.h"

namespace widgets {
namespace {

using testing::RecordedGauge;

using testing::PaintCounter;

// A shown gauge at Progress 40 whose paint events are counted.
class GaugeRepaint : public ::testing::Test {
protected:
    void SetUp() override {
        gauge().setProgress(40);
        gauge().installEventFilter(&counter_);
        gauge().show();
        settle();
        ASSERT_GT(counter_.paints, 0) << "the gauge was never painted on show";
    }

    static void settle() {
        for (int round = 0; round < 3; ++round) QCoreApplication::processEvents();
    }

    TVKGauge& gauge() { return *recorded_.gauge; }

    int paintsAfter(const std::function<void(TVKGauge&)>& change) {
        const int before = counter_.paints;
        change(gauge());
        settle();
        return counter_.paints - before;
    }

    RecordedGauge recorded_;
    PaintCounter counter_;
};

TEST_F(GaugeRepaint, NewProgressIsPaintedBeforeTheSetterReturns) {
    const int before = counter_.paints;
    gauge().setProgress(41);
    EXPECT_EQ(counter_.paints, before + 1);
}

TEST_F(GaugeRepaint, SameOrRefusedProgressDoesNotRepaint) {
    EXPECT_EQ(paintsAfter([](TVKGauge& g) { g.setProgress(40); }), 0);
    EXPECT_EQ(paintsAfter([](TVKGauge& g) { g.setProgress(101); }), 0);
    EXPECT_EQ(recorded_.errors, QStringList{"Value is greater than MaxValue."});
}

struct RepaintCase {
    const char* name;
    std::function<void(TVKGauge&)> change;
    int paints;
};

void PrintTo(const RepaintCase& c, std::ostream* os) {
    *os << c.name;
}

class GaugePropertyRepaint : public GaugeRepaint,
                             public ::testing::WithParamInterface<RepaintCase> {};

// The other colour and flag setters share the one change-and-update helper with these.
TEST_P(GaugePropertyRepaint, RepaintsWhenItShould) {
    EXPECT_EQ(paintsAfter(GetParam().change), GetParam().paints);
}

INSTANTIATE_TEST_SUITE_P(
    Setters, GaugePropertyRepaint,
    ::testing::Values(RepaintCase{"SameOutLine", [](TVKGauge& g) { g.setOutLine(g.outLine()); }, 1},
                      RepaintCase{"SameTransparent", [](TVKGauge& g) { g.setTransparent(false); },
                                  1},
                      RepaintCase{"SameOthers",
                                  [](TVKGauge& g) {
                                      g.setCaption(g.caption());
                                      g.setTxtAlign(g.txtAlign());
                                      g.setShowText(g.showText());
                                      g.setShowPercent(g.showPercent());
                                      g.setFrontColor(g.frontColor());
                                      g.setBackColor(g.backColor());
                                      g.setBorderColor(g.borderColor());
                                      g.setFrame3DTopColor(g.frame3DTopColor());
                                      g.setFrame3DBottomColor(g.frame3DBottomColor());
                                      g.setMinValue(g.minValue());
                                      g.setMaxValue(g.maxValue());
                                  },
                                  0},
                      RepaintCase{"Caption", [](TVKGauge& g) { g.setCaption("Upgrade"); }, 1},
                      RepaintCase{"FrontColor", [](TVKGauge& g) { g.setFrontColor(Qt::blue); }, 1},
                      RepaintCase{"MinValue", [](TVKGauge& g) { g.setMinValue(10); }, 1},
                      RepaintCase{"MaxValue", [](TVKGauge& g) { g.setMaxValue(50); }, 1}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace widgets

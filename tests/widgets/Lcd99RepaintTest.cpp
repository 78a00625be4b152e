#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <functional>

#include "LcdSampling.h"
#include "PaintCounter.h"

namespace widgets {
namespace {

using testing::routingDisplay;

using testing::PaintCounter;

// A shown display whose paint events are counted.
class Lcd99Repaint : public ::testing::Test {
protected:
    void SetUp() override {
        display_->setValue("5");
        display_->installEventFilter(&counter_);
        display_->show();
        settle();
        ASSERT_GT(counter_.paints, 0) << "the display was never painted on show";
    }

    // Delivers the pending update requests.
    static void settle() {
        for (int round = 0; round < 3; ++round) QCoreApplication::processEvents();
    }

    int paintsAfter(const std::function<void(TLCD99&)>& change) {
        const int before = counter_.paints;
        change(*display_);
        settle();
        return counter_.paints - before;
    }

    std::unique_ptr<TLCD99> display_ = routingDisplay();
    PaintCounter counter_;
};

TEST_F(Lcd99Repaint, SameValueDoesNotRepaint) {
    EXPECT_EQ(paintsAfter([](TLCD99& d) { d.setValue("5"); }), 0);
    EXPECT_EQ(paintsAfter([](TLCD99& d) { d.setValue("6"); }), 1);
}

TEST_F(Lcd99Repaint, UnchangedPropertiesDoNotRepaint) {
    EXPECT_EQ(paintsAfter([](TLCD99& d) {
                  d.setDigitNum(d.digitNum());
                  d.setColor(d.color());
                  d.setOnColor(d.onColor());
                  d.setOffColor(d.offColor());
                  d.setSegmentSize(d.segmentSize());
                  d.setGapX(d.gapX());
                  d.setGapY(d.gapY());
                  d.setDigitSpacing(d.digitSpacing());
                  d.setDotDisplay(d.dotDisplay());
                  d.setDotSpacing(d.dotSpacing());
                  d.setDoubleBuffer(d.doubleBuffer());
              }),
              0);
}

struct ChangeCase {
    const char* name;
    std::function<void(TLCD99&)> change;
};

void PrintTo(const ChangeCase& c, std::ostream* os) {
    *os << c.name;
}

class Lcd99PropertyRepaint : public Lcd99Repaint,
                             public ::testing::WithParamInterface<ChangeCase> {};

TEST_P(Lcd99PropertyRepaint, ChangedPropertyRepaintsOnce) {
    EXPECT_EQ(paintsAfter(GetParam().change), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Lcd99Repaint, Lcd99PropertyRepaint,
    ::testing::Values(ChangeCase{"DigitNum", [](TLCD99& d) { d.setDigitNum(2); }},
                      ChangeCase{"Color", [](TLCD99& d) { d.setColor(Qt::white); }},
                      ChangeCase{"OnColor", [](TLCD99& d) { d.setOnColor(Qt::green); }},
                      ChangeCase{"OffColor", [](TLCD99& d) { d.setOffColor(Qt::gray); }},
                      ChangeCase{"SegmentSize", [](TLCD99& d) { d.setSegmentSize(4); }},
                      ChangeCase{"GapX", [](TLCD99& d) { d.setGapX(1); }},
                      ChangeCase{"GapY", [](TLCD99& d) { d.setGapY(1); }},
                      ChangeCase{"DigitSpacing", [](TLCD99& d) { d.setDigitSpacing(1); }},
                      ChangeCase{"DotDisplay", [](TLCD99& d) { d.setDotDisplay(true); }},
                      ChangeCase{"DotSpacing", [](TLCD99& d) { d.setDotSpacing(1); }},
                      ChangeCase{"DoubleBuffer", [](TLCD99& d) { d.setDoubleBuffer(false); }}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace widgets

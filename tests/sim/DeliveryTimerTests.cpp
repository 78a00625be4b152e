#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <vector>

#include "sim/DeliveryTimer.h"

namespace {

// Runs the event loop until the timer has fired `count` times; returns when each firing was seen.
std::vector<double> firings(sim::DeliveryTimer& timer, std::size_t count) {
    std::vector<double> seen;
    const auto connection = QObject::connect(&timer, &sim::DeliveryTimer::expired,
                                             [&] { seen.push_back(timer.nowMs()); });
    const QDeadlineTimer limit(5000);
    while (seen.size() < count && !limit.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    QObject::disconnect(connection);
    return seen;
}

// A reply must never leave before its last byte has crossed the emulated wire.
TEST(DeliveryTimer, FiresAtASubMillisecondDeadlineAndNeverBefore) {
    sim::DeliveryTimer timer;
    for (const double afterMs : {0.3, 2.26, 4.51}) {
        const double due = timer.nowMs() + afterMs;
        timer.arm(due);
        const auto seen = firings(timer, 1);
        ASSERT_EQ(seen.size(), 1u) << afterMs;
        EXPECT_GE(seen[0], due) << afterMs;
    }
}

TEST(DeliveryTimer, APastDeadlineFiresAtOnceAndDisarmingSilencesIt) {
    sim::DeliveryTimer timer;
    timer.arm(0.0);
    EXPECT_EQ(firings(timer, 1).size(), 1u);
    timer.arm(timer.nowMs() + 20);
    timer.disarm();
    int fired = 0;
    QObject::connect(&timer, &sim::DeliveryTimer::expired, [&] { ++fired; });
    const QDeadlineTimer wait(60);
    while (!wait.hasExpired()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    EXPECT_EQ(fired, 0);
}

}  // namespace

#include "DeliveryTimer.h"

#include <sys/timerfd.h>

#include <cmath>
#include <cstdint>

namespace sim {

namespace {

constexpr std::int64_t kNsPerSecond = 1'000'000'000;

std::int64_t nanoseconds(const timespec& t) {
    return std::int64_t{t.tv_sec} * kNsPerSecond + t.tv_nsec;
}

timespec timespecOf(std::int64_t ns) {
    return {static_cast<time_t>(ns / kNsPerSecond), static_cast<long>(ns % kNsPerSecond)};
}

timespec monotonicNow() {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return now;
}

}  // namespace

DeliveryTimer::DeliveryTimer(QObject* parent)
    : QObject(parent),
      origin_(monotonicNow()),
      fd_(::timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC)) {
    if (!fd_.valid()) qFatal("timerfd_create failed");
    notifier_ = std::make_unique<QSocketNotifier>(fd_.get(), QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &DeliveryTimer::onReadable);
}

double DeliveryTimer::nowMs() const {
    return static_cast<double>(nanoseconds(monotonicNow()) - nanoseconds(origin_)) / 1e6;
}

void DeliveryTimer::arm(double dueMs) {
    // An all-zero time would disarm the timer; the origin itself is long past, so one ns after it
    // still fires at once.
    const auto offsetNs = std::max<std::int64_t>(std::llround(dueMs * 1e6), 1);
    itimerspec deadline{};
    deadline.it_value = timespecOf(nanoseconds(origin_) + offsetNs);
    ::timerfd_settime(fd_.get(), TFD_TIMER_ABSTIME, &deadline, nullptr);
}

void DeliveryTimer::disarm() {
    const itimerspec none{};
    ::timerfd_settime(fd_.get(), TFD_TIMER_ABSTIME, &none, nullptr);
}

void DeliveryTimer::onReadable() {
    std::uint64_t expirations = 0;
    if (::read(fd_.get(), &expirations, sizeof expirations) > 0) emit expired();
}

}  // namespace sim

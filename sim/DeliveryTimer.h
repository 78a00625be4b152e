#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <ctime>
#include <memory>

#include "posix/UniqueFd.h"

namespace sim {

// The simulator's clock and its one deadline, both to the nanosecond: a timerfd armed with an
// absolute time wakes the event loop when the next reply is due, with no rounding to whole ms and
// no busy wait.
class DeliveryTimer : public QObject {
    Q_OBJECT
public:
    explicit DeliveryTimer(QObject* parent = nullptr);

    // ms since construction, on the monotonic clock.
    double nowMs() const;
    // Fires expired() once nowMs() has reached dueMs; a due time in the past fires at once.
    void arm(double dueMs);
    void disarm();

signals:
    void expired();

private:
    void onReadable();

    timespec origin_{};
    posix::UniqueFd fd_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace sim

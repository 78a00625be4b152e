#include "transport/EventLoopPump.h"

#include <QCoreApplication>
#include <QThread>

namespace devlink {

SteadyClock::SteadyClock() {
    elapsed_.start();
}

qint64 SteadyClock::nowMs() const {
    return elapsed_.elapsed();
}

void SteadyClock::sleepMs(int ms) {
    QThread::msleep(static_cast<unsigned long>(ms));
}

EventLoopPump::EventLoopPump() {
    tickTimer_.setSingleShot(true);
    tickTimer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&tickTimer_, &QTimer::timeout, [this] { woken_ = true; });
}

void EventLoopPump::tick() {
    woken_ = false;
    const QEventLoop::ProcessEventsFlags events =
        held_ ? QEventLoop::ExcludeUserInputEvents : QEventLoop::AllEvents;
    QCoreApplication::processEvents(events);
    if (woken_) return;
    // Blocks in the event dispatcher until a port notifier, a click or the tick timer fires.
    tickTimer_.start(kTickMs);
    while (!woken_) {
        QCoreApplication::processEvents(events | QEventLoop::WaitForMoreEvents);
    }
    tickTimer_.stop();
}

}  // namespace devlink

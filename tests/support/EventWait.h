#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <functional>

namespace testing_support {

// Runs the real event loop until `done` holds or `limitMs` passed; returns `done()`.
inline bool ProcessEventsUntil(const std::function<bool()>& done, int limitMs) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < limitMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
    }
    return done();
}

}  // namespace testing_support

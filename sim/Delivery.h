#pragma once

#include <QByteArray>

namespace sim {

// Bytes the simulator sends back, to be delivered at an absolute time (ms) on the caller's clock.
struct Delivery {
    qint64 dueMs;
    QByteArray bytes;
};

}  // namespace sim

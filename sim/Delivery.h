#pragma once

#include <QByteArray>

namespace sim {

// Bytes the simulator sends back, to be delivered at an absolute time on the caller's clock, in
// ms with the fraction kept: a byte at 57600 baud takes 0.17 ms.
struct Delivery {
    double dueMs;
    QByteArray bytes;
};

}  // namespace sim

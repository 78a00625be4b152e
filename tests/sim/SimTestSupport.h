#pragma once

#include <QByteArray>
#include <vector>

#include "sim/SimFrame.h"
#include "sim/SwitcherSim.h"

namespace simtest {

inline QByteArray hex(const char* text) {
    return QByteArray::fromHex(text);
}

inline QByteArray joined(const std::vector<sim::Delivery>& deliveries) {
    QByteArray bytes;
    for (const sim::Delivery& delivery : deliveries) {
        bytes += delivery.bytes;
    }
    return bytes;
}

// Everything the switcher sends back for `request`, whatever the due times.
inline QByteArray exchange(sim::SwitcherSim& sim, const QByteArray& request, qint64 nowMs = 0) {
    return joined(sim.receive(request, nowMs));
}

inline sim::Fault faultOf(sim::FaultKind kind, int times = 1) {
    return {kind, times, -1, -1, 0, 2, {}};
}

// Bytes 0..n-1 of a recognisable pattern.
inline QByteArray pattern(int size, int seed) {
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>(i * 7 + seed);
    }
    return bytes;
}

}  // namespace simtest

#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace sim {

inline constexpr int kEdidSize = 256;

// A valid 256-byte EDID (base block and a CEA extension, both with good checksums) that
// differs from others by its product code and monitor name (at most 13 characters).
QByteArray makeSampleEdid(quint16 productCode, QByteArrayView monitorName);

}  // namespace sim

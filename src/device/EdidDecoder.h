#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// A one-line reading of an EDID for installers chasing handshake problems:
//   DEL 0xA0B1  serial 12345  week 12/2019  EDID 1.3  1920x1080 @ 60 Hz  "DELL P2419H"
// Fields are separated by two spaces. A zero serial and a missing monitor name are left
// out; week 0 shows "year Y", week 0xFF "model year Y". An interlaced timing shows its
// frame height with an "i" and its field rate; a first descriptor that is not a timing
// shows "no preferred timing", and a timing with zero totals shows no rate.
namespace device {

// Empty when the data fails the EDID check.
std::optional<QString> edidSummary(const QByteArray& edid);

}  // namespace device

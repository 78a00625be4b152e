#pragma once

#include <QByteArray>
#include <algorithm>

namespace testing_support {

// One 55-byte search reply record as a module sends it: MAC 00-1A-2B-3C-4D-<macTail>, address
// 192.168.1.50, gateway 192.168.1.1, mask 255.255.255.0, ports 8000 and 60000.
inline QByteArray SearchRecord(quint8 macTail, const QByteArray& name, quint8 dhcp = 0) {
    QByteArray r(55, '\0');
    const unsigned char head[] = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, macTail, 192, 168,
                                  1,    50,   192,  168,  1,    1,       255, 255,
                                  255,  0,    0x1F, 0x40, 0xEA, 0x60};
    r.replace(0, sizeof(head), QByteArray(reinterpret_cast<const char*>(head), sizeof(head)));
    r.replace(22, std::min<qsizetype>(name.size(), 32), name.left(32));
    r[54] = static_cast<char>(dhcp);
    return r;
}

}  // namespace testing_support

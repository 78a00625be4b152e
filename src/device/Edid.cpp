#include "device/Edid.h"

#include <algorithm>
#include <array>
#include <numeric>

namespace device {

namespace {

constexpr std::array<quint8, 8> kHeader = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};

bool headerHolds(const QByteArray& data) {
    return std::equal(kHeader.begin(), kHeader.end(), data.begin(),
                      [](quint8 expected, char actual) { return expected == quint8(actual); });
}

bool checksumHolds(const QByteArray& data) {
    const auto first = data.begin();
    const unsigned sum =
        std::accumulate(first, first + kEdidSize, 0u,
                        [](unsigned total, char byte) { return total + quint8(byte); });
    return sum % 256 == 0;
}

}  // namespace

EdidStatus checkEdid(const QByteArray& data) {
    if (data.size() != kEdidSize && data.size() != kEdidSizeWithTrailer) {
        return EdidStatus::WrongSize;
    }
    if (!headerHolds(data)) {
        return EdidStatus::BadHeader;
    }
    if (!checksumHolds(data)) {
        return EdidStatus::BadChecksum;
    }
    return EdidStatus::Ok;
}

}  // namespace device

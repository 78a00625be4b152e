#include "SampleEdid.h"

#include <algorithm>

#include "SimFrame.h"

namespace sim {

namespace {

constexpr int kEdidBlock = 128;
constexpr int kDescriptorLength = 18;
constexpr int kDescriptorText = 13;

void put(QByteArray& edid, int offset, std::initializer_list<quint8> bytes) {
    for (const quint8 byte : bytes) {
        edid[offset++] = static_cast<char>(byte);
    }
}

// Display descriptor with a text: name (0xFC) or serial (0xFF), ended by LF and padded by spaces.
void putTextDescriptor(QByteArray& edid, int offset, quint8 tag, QByteArrayView text) {
    put(edid, offset, {0x00, 0x00, 0x00, tag, 0x00});
    QByteArray field = text.first(std::min<qsizetype>(text.size(), kDescriptorText)).toByteArray();
    if (field.size() < kDescriptorText) {
        field.append('\n');
    }
    field = field.leftJustified(kDescriptorText, ' ');
    edid.replace(offset + 5, kDescriptorText, field);
}

void sealBlock(QByteArray& edid, int blockStart) {
    const int last = blockStart + kEdidBlock - 1;
    edid[last] =
        static_cast<char>(checksumOf(QByteArrayView(edid).sliced(blockStart, kEdidBlock - 1)));
}

}  // namespace

QByteArray makeSampleEdid(quint16 productCode, QByteArrayView monitorName) {
    QByteArray edid(kEdidSize, '\0');
    put(edid, 0, {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00});
    put(edid, 8, {0x4D, 0x2D});  // manufacturer "SIM"
    put(edid, 10, {static_cast<quint8>(productCode & 0xFF), static_cast<quint8>(productCode >> 8)});
    put(edid, 12, {0x01, 0x00, 0x00, 0x00});  // serial number
    put(edid, 16, {0x01, 30, 0x01, 0x03});    // week 1 of 2020, EDID 1.3
    put(edid, 20, {0x80, 0x3C, 0x22, 0x78, 0x0A});
    put(edid, 25, {0xEE, 0x91, 0xA3, 0x54, 0x4C, 0x99, 0x26, 0x0F, 0x50, 0x54});
    put(edid, 35, {0x21, 0x08, 0x00});
    put(edid, 38, {0xD1, 0xC0});  // 1920x1080 at 60 Hz
    for (int offset = 40; offset < 54; offset += 2) {
        put(edid, offset, {0x01, 0x01});
    }
    put(edid, 54,
        {0x02, 0x3A, 0x80, 0x18, 0x71, 0x38, 0x2D, 0x40, 0x58, 0x2C, 0x45, 0x00, 0x56, 0x50, 0x21,
         0x00, 0x00, 0x1E});
    putTextDescriptor(edid, 54 + kDescriptorLength, 0xFC, monitorName);
    put(edid, 54 + 2 * kDescriptorLength,
        {0x00, 0x00, 0x00, 0xFD, 0x00, 0x38, 0x4B, 0x1E, 0x53, 0x11, 0x00, 0x0A, 0x20, 0x20, 0x20,
         0x20, 0x20, 0x20});
    putTextDescriptor(edid, 54 + 3 * kDescriptorLength, 0xFF,
                      QByteArray::number(productCode, 16).toUpper().rightJustified(4, '0'));
    edid[126] = 1;  // one extension block
    sealBlock(edid, 0);

    put(edid, kEdidBlock, {0x02, 0x03, 0x04, 0x00});  // CEA-861 revision 3, no data blocks
    sealBlock(edid, kEdidBlock);
    return edid;
}

}  // namespace sim

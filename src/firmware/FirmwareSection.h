#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <array>

#include "link/Frame.h"

// One section of a merged firmware file: a 143-byte header that carries the command fields of
// the part, followed by the MCU image scrambled with the firmware key.
namespace device {

constexpr int kSectionHeaderSize = 143;
constexpr int kFieldsOffset = 128;     // group, code, P1..P4 as in a command frame
constexpr int kImageSizeOffset = 138;  // 32-bit little-endian
constexpr int kHeaderChecksumOffset = 142;

constexpr quint8 kFirmwareGroup = 0x20;
constexpr quint8 kStagedPartCode = 0x01;  // the main MCU, sent with two staging steps
constexpr quint8 kPlainPartCode = 0x02;   // the slave MCUs

// No MCU of the switcher holds more; refusing larger images keeps a hostile file from costing
// memory and keeps block numbers within 16 bits.
constexpr qint64 kMaxImageSize = 8 * 1024 * 1024;

using SectionHeader = std::array<quint8, kSectionHeaderSize>;

// Header bytes 128..137: what the upgrade sends as bytes 2..11 of the part's command frame.
struct PartFields {
    quint8 group = kFirmwareGroup;
    quint8 code = 0;
    quint16 p1 = 0;  // MCU number
    quint16 p2 = 0;
    quint16 p3 = 0;  // version, first number
    quint16 p4 = 0;  // version, second number

    bool operator==(const PartFields&) const = default;
};

// Both texts with their zero fill, the fields, the image size and the checksum.
SectionHeader BuildSectionHeader(const PartFields& fields, quint32 imageSize);

// (0 - sum of bytes 0..141) mod 256; the header checks when byte 142 holds it.
quint8 SectionHeaderChecksum(const SectionHeader& header);
bool SectionHeaderChecks(const SectionHeader& header);

PartFields PartFieldsOf(const SectionHeader& header);
quint32 ImageSizeOf(const SectionHeader& header);

// The part's command frame: lead bytes, the fields, the frame checksum.
devlink::Frame PartFrameOf(const PartFields& fields);

// "Part_" code "." P1 "." P3 "." P4, all in decimal; P2 is not shown.
QString PartLabel(const PartFields& fields);

// The firmware key over each image, restarting at the image's first byte.
QByteArray ScrambleImage(QByteArrayView image);
QByteArray UnscrambleImage(QByteArrayView scrambled);

}  // namespace device

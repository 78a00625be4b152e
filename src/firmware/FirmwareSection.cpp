#include "firmware/FirmwareSection.h"

#include <QtEndian>
#include <algorithm>
#include <cstring>
#include <numeric>

namespace device {

namespace {

constexpr char kNoticeText[] = "DON'T MODIFY THIS FILE MANNUALLY!";
constexpr char kModelText[] = "FIRMWARE FOR Vorpanix";
constexpr int kTextFieldSize = 64;
constexpr char kFirmwareKey[] = "7C1E09B45D2A4F8391E6C0A2B7D43F65";
constexpr int kKeyLength = sizeof(kFirmwareKey) - 1;

quint8 keyAt(qsizetype index) {
    return static_cast<quint8>(kFirmwareKey[index % kKeyLength]);
}

void putText(SectionHeader& header, int offset, const char* text) {
    std::copy_n(text, std::min<std::size_t>(std::strlen(text), kTextFieldSize),
                header.begin() + offset);
}

quint16 wordAt(const SectionHeader& header, int offset) {
    return qFromLittleEndian<quint16>(header.data() + offset);
}

void putWord(SectionHeader& header, int offset, quint16 value) {
    qToLittleEndian(value, header.data() + offset);
}

}  // namespace

SectionHeader BuildSectionHeader(const PartFields& fields, quint32 imageSize) {
    SectionHeader header{};
    putText(header, 0, kNoticeText);
    putText(header, kTextFieldSize, kModelText);
    header[kFieldsOffset] = fields.group;
    header[kFieldsOffset + 1] = fields.code;
    putWord(header, kFieldsOffset + 2, fields.p1);
    putWord(header, kFieldsOffset + 4, fields.p2);
    putWord(header, kFieldsOffset + 6, fields.p3);
    putWord(header, kFieldsOffset + 8, fields.p4);
    qToLittleEndian(imageSize, header.data() + kImageSizeOffset);
    header[kHeaderChecksumOffset] = SectionHeaderChecksum(header);
    return header;
}

quint8 SectionHeaderChecksum(const SectionHeader& header) {
    const unsigned sum =
        std::accumulate(header.begin(), header.begin() + kHeaderChecksumOffset, 0u);
    return static_cast<quint8>(0u - sum);
}

bool SectionHeaderChecks(const SectionHeader& header) {
    return SectionHeaderChecksum(header) == header[kHeaderChecksumOffset];
}

PartFields PartFieldsOf(const SectionHeader& header) {
    return {header[kFieldsOffset],
            header[kFieldsOffset + 1],
            wordAt(header, kFieldsOffset + 2),
            wordAt(header, kFieldsOffset + 4),
            wordAt(header, kFieldsOffset + 6),
            wordAt(header, kFieldsOffset + 8)};
}

quint32 ImageSizeOf(const SectionHeader& header) {
    return qFromLittleEndian<quint32>(header.data() + kImageSizeOffset);
}

devlink::Frame PartFrameOf(const PartFields& fields) {
    return devlink::BuildFrame(fields.group, fields.code, fields.p1, fields.p2, fields.p3,
                               fields.p4);
}

QString PartLabel(const PartFields& fields) {
    return QStringLiteral("Part_%1.%2.%3.%4")
        .arg(fields.code)
        .arg(fields.p1)
        .arg(fields.p3)
        .arg(fields.p4);
}

QByteArray ScrambleImage(QByteArrayView image) {
    QByteArray out(image.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < image.size(); ++i) {
        const quint8 k = keyAt(i);
        out[i] = static_cast<char>((static_cast<quint8>(image[i]) ^ k) + k);
    }
    return out;
}

QByteArray UnscrambleImage(QByteArrayView scrambled) {
    QByteArray out(scrambled.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < scrambled.size(); ++i) {
        const quint8 k = keyAt(i);
        out[i] = static_cast<char>(static_cast<quint8>(static_cast<quint8>(scrambled[i]) - k) ^ k);
    }
    return out;
}

}  // namespace device

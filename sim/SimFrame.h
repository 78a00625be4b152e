#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The switcher's own view of the wire format: 13-byte frames and 270-byte data blocks.
namespace sim {

inline constexpr int kFrameSize = 13;
inline constexpr int kBlockSize = 270;
inline constexpr int kBlockPayloadMax = 256;
inline constexpr int kDataChecksumOffset = 13;
inline constexpr int kPayloadOffset = 14;
inline constexpr quint8 kLead0 = 0xA5;
inline constexpr quint8 kLead1 = 0x5B;

inline constexpr quint8 kStatusOk = 0x00;
inline constexpr quint8 kStatusReady = 0xAA;
inline constexpr quint8 kStatusLastBlock = 0x56;
inline constexpr quint8 kStatusRefused = 0xFF;

// (0 - byte sum) mod 256.
quint8 checksumOf(QByteArrayView bytes);

// Header bytes 0..12 sum to 0 modulo 256.
bool hasValidChecksum(QByteArrayView header);

// Recomputes the checksum at offset 12 after a header field changed.
void resealHeader(QByteArray& unit);

QByteArray makeFrame(quint8 group, quint8 code, quint16 p1 = 0, quint16 p2 = 0, quint16 p3 = 0,
                     quint16 p4 = 0);

// A 270-byte block: header (P1 = status, P2 = payload length), data checksum, zero padded payload.
QByteArray makeBlock(quint8 group, quint8 code, quint16 status, QByteArrayView payload);

quint8 groupOf(QByteArrayView unit);
quint8 codeOf(QByteArrayView unit);
// index 1..4 for P1..P4, little-endian.
quint16 paramOf(QByteArrayView unit, int index);

// Upper-case hex bytes separated by single spaces.
QString hexOf(QByteArrayView bytes);

}  // namespace sim

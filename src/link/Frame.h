#pragma once

#include <QtGlobal>
#include <array>
#include <cstddef>
#include <span>

// The 13-byte command frame and the data block built on it.
namespace devlink {

constexpr int kFrameSize = 13;
constexpr int kMaxPayload = 256;
constexpr int kBlockSize = kFrameSize + 1 + kMaxPayload;  // 270

constexpr quint8 kLead0 = 0xA5;
constexpr quint8 kLead1 = 0x5B;

// Status byte values (frame offset 4).
constexpr quint8 kStatusRefused = 0xFF;
constexpr quint8 kStatusReady = 0xAA;
constexpr quint8 kStatusLast = 0x56;
constexpr quint8 kStatusAccepted = 0x00;

constexpr int kStatusOffset = 4;
constexpr int kValueOffset = 6;
constexpr int kChecksumOffset = 12;

using Frame = std::array<quint8, kFrameSize>;

void InitFrame(Frame& frame);
quint8 FrameChecksum(const Frame& frame);
quint8 DataChecksum(std::span<const quint8> bytes);
bool ReplyMatches(const Frame& reply, const Frame& request);

// Parameters P1..P4 are 16-bit little-endian at offsets 4, 6, 8 and 10.
quint16 Param(const Frame& frame, int index);
void SetParam(Frame& frame, int index, quint16 value);

// Stores the checksum of bytes 0..11 at offset 12.
void Seal(Frame& frame);
bool ChecksumHolds(const Frame& frame);

Frame BuildFrame(quint8 group, quint8 code, quint16 p1 = 0, quint16 p2 = 0, quint16 p3 = 0,
                 quint16 p4 = 0);

// The three acceptance tests for a reply to a plain command, in their order:
// not refused, checksum right, same lead bytes, group and code.
bool ReplyAccepted(const Frame& reply, const Frame& request);

// Tests 2 and 3 only; transfers judge the status byte by their own rules.
bool HeaderValid(const Frame& reply, const Frame& request);

Frame FrameFrom(std::span<const quint8> bytes);

}  // namespace devlink

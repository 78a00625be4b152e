#include "link/Frame.h"

#include <algorithm>
#include <numeric>

namespace devlink {

void InitFrame(Frame& frame) {
    frame.fill(0);
    frame[0] = kLead0;
    frame[1] = kLead1;
}

quint8 DataChecksum(std::span<const quint8> bytes) {
    const unsigned sum = std::accumulate(bytes.begin(), bytes.end(), 0u);
    return static_cast<quint8>(0u - sum);
}

quint8 FrameChecksum(const Frame& frame) {
    return DataChecksum(std::span(frame).first(kChecksumOffset));
}

bool ReplyMatches(const Frame& reply, const Frame& request) {
    return reply[0] == kLead0 && reply[1] == kLead1 && reply[2] == request[2] &&
           reply[3] == request[3];
}

quint16 Param(const Frame& frame, int index) {
    const int offset = 2 + 2 * index;
    return static_cast<quint16>(frame[offset] | (frame[offset + 1] << 8));
}

void SetParam(Frame& frame, int index, quint16 value) {
    const int offset = 2 + 2 * index;
    frame[offset] = static_cast<quint8>(value & 0xFF);
    frame[offset + 1] = static_cast<quint8>(value >> 8);
}

void Seal(Frame& frame) {
    frame[kChecksumOffset] = FrameChecksum(frame);
}

bool ChecksumHolds(const Frame& frame) {
    return FrameChecksum(frame) == frame[kChecksumOffset];
}

Frame BuildFrame(quint8 group, quint8 code, quint16 p1, quint16 p2, quint16 p3, quint16 p4) {
    Frame frame;
    InitFrame(frame);
    frame[2] = group;
    frame[3] = code;
    SetParam(frame, 1, p1);
    SetParam(frame, 2, p2);
    SetParam(frame, 3, p3);
    SetParam(frame, 4, p4);
    Seal(frame);
    return frame;
}

bool HeaderValid(const Frame& reply, const Frame& request) {
    return ChecksumHolds(reply) && ReplyMatches(reply, request);
}

bool ReplyAccepted(const Frame& reply, const Frame& request) {
    return reply[kStatusOffset] != kStatusRefused && HeaderValid(reply, request);
}

Frame FrameFrom(std::span<const quint8> bytes) {
    Frame frame{};
    std::copy_n(bytes.begin(), std::min<std::size_t>(bytes.size(), kFrameSize), frame.begin());
    return frame;
}

}  // namespace devlink

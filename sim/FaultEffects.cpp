#include "FaultEffects.h"

#include "SimFrame.h"

namespace sim {

namespace {

constexpr char kFlipMask = 0x5A;

bool isBlock(const QByteArray& reply) {
    return reply.size() == kBlockSize;
}

QByteArray withHeaderByte(QByteArray reply, int offset, quint8 value) {
    reply[offset] = static_cast<char>(value);
    resealHeader(reply);
    return reply;
}

QByteArray withBadChecksum(QByteArray reply) {
    const int offset = isBlock(reply) ? kDataChecksumOffset : kFrameSize - 1;
    reply[offset] = static_cast<char>(reply[offset] ^ kFlipMask);
    return reply;
}

QByteArray withWrongContent(QByteArray reply) {
    if (!isBlock(reply)) {
        const quint8 otherGroup = groupOf(reply) ^ 0x80;
        return withHeaderByte(std::move(reply), 2, otherGroup);
    }
    reply[kPayloadOffset] = static_cast<char>(reply[kPayloadOffset] ^ kFlipMask);
    const quint16 length = paramOf(reply, 2);
    reply[kDataChecksumOffset] =
        static_cast<char>(checksumOf(QByteArrayView(reply).sliced(kPayloadOffset, length)));
    return reply;
}

}  // namespace

bool leavesReplyAcceptable(FaultKind kind) {
    return kind == FaultKind::Delay || kind == FaultKind::Split || kind == FaultKind::TrailingBytes;
}

bool losesFrame(FaultKind kind) {
    return kind == FaultKind::NoReply || kind == FaultKind::DropConnection;
}

QByteArray spoilReply(const Fault& fault, QByteArray reply) {
    switch (fault.kind) {
        case FaultKind::NoReply:
        case FaultKind::DropConnection:
            return {};
        case FaultKind::StatusFF:
            reply[5] = 0;
            return withHeaderByte(std::move(reply), 4, kStatusRefused);
        case FaultKind::BadChecksum:
            return withBadChecksum(std::move(reply));
        case FaultKind::WrongGroup: {
            const quint8 nextGroup = groupOf(reply) + 1;
            return withHeaderByte(std::move(reply), 2, nextGroup);
        }
        case FaultKind::WrongCode: {
            const quint8 nextCode = codeOf(reply) + 1;
            return withHeaderByte(std::move(reply), 3, nextCode);
        }
        case FaultKind::ChecksumRightWrongContent:
            return withWrongContent(std::move(reply));
        case FaultKind::TrailingBytes:
            return reply + fault.bytes;
        case FaultKind::Garbage:
            return fault.bytes;
        case FaultKind::Split:
        case FaultKind::Delay:
            break;
    }
    return reply;
}

}  // namespace sim

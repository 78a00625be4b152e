#include "SimFrame.h"

namespace sim {

quint8 checksumOf(QByteArrayView bytes) {
    unsigned sum = 0;
    for (const char byte : bytes) {
        sum += static_cast<quint8>(byte);
    }
    return static_cast<quint8>(0x100 - (sum & 0xFF));
}

bool hasValidChecksum(QByteArrayView header) {
    return header.size() >= kFrameSize &&
           checksumOf(header.first(kFrameSize - 1)) == static_cast<quint8>(header[kFrameSize - 1]);
}

void resealHeader(QByteArray& unit) {
    unit[kFrameSize - 1] =
        static_cast<char>(checksumOf(QByteArrayView(unit).first(kFrameSize - 1)));
}

QByteArray makeFrame(quint8 group, quint8 code, quint16 p1, quint16 p2, quint16 p3, quint16 p4) {
    QByteArray frame(kFrameSize, '\0');
    frame[0] = static_cast<char>(kLead0);
    frame[1] = static_cast<char>(kLead1);
    frame[2] = static_cast<char>(group);
    frame[3] = static_cast<char>(code);
    int offset = 4;
    for (const quint16 param : {p1, p2, p3, p4}) {
        frame[offset] = static_cast<char>(param & 0xFF);
        frame[offset + 1] = static_cast<char>(param >> 8);
        offset += 2;
    }
    resealHeader(frame);
    return frame;
}

QByteArray makeBlock(quint8 group, quint8 code, quint16 status, QByteArrayView payload) {
    const auto length = static_cast<quint16>(payload.size());
    QByteArray block = makeFrame(group, code, status, length);
    block.append(static_cast<char>(checksumOf(payload)));
    block.append(payload.data(), payload.size());
    block.resize(kBlockSize, '\0');
    return block;
}

quint8 groupOf(QByteArrayView unit) {
    return static_cast<quint8>(unit[2]);
}

quint8 codeOf(QByteArrayView unit) {
    return static_cast<quint8>(unit[3]);
}

quint16 paramOf(QByteArrayView unit, int index) {
    const int offset = 2 + 2 * index;
    return static_cast<quint16>(static_cast<quint8>(unit[offset]) |
                                (static_cast<quint8>(unit[offset + 1]) << 8));
}

QString hexOf(QByteArrayView bytes) {
    return QString::fromLatin1(bytes.toByteArray().toHex(' ').toUpper());
}

}  // namespace sim

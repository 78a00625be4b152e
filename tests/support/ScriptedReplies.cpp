#include "ScriptedReplies.h"

namespace testing_support {
namespace {

char NegatedSum(const QByteArray& bytes, int from, int count) {
    unsigned sum = 0;
    for (int i = from; i < from + count; ++i) sum += static_cast<quint8>(bytes[i]);
    return static_cast<char>(static_cast<quint8>(0u - sum));
}

}  // namespace

QByteArray ReplyFrame(int group, int code, int status, int value, int p2high) {
    QByteArray f(13, '\0');
    f[0] = char(0xA5);
    f[1] = char(0x5B);
    f[2] = char(group);
    f[3] = char(code);
    f[4] = char(status);
    f[6] = char(value);
    f[7] = char(p2high);
    f[12] = NegatedSum(f, 0, 12);
    return f;
}

QByteArray DataBlock(int group, int code, int status, const QByteArray& payload, bool corruptData) {
    const int length = static_cast<int>(payload.size());
    QByteArray block = ReplyFrame(group, code, status, length & 0xFF, length >> 8);
    block.append(NegatedSum(payload, 0, length) ^ (corruptData ? 0x01 : 0x00));
    block.append(payload);
    block.append(QByteArray(270 - block.size() > 0 ? 270 - block.size() : 0, '\0'));
    return block;
}

std::vector<sim::Delivery> At(qint64 dueMs, const QByteArray& bytes) {
    return {{static_cast<double>(dueMs), bytes}};
}

}  // namespace testing_support

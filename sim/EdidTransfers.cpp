#include "EdidTransfers.h"

#include <algorithm>

#include "SimFrame.h"

namespace sim {

namespace {

constexpr quint8 kEdidGroup = 0x03;
constexpr quint8 kReadCode = 0x05;
constexpr quint8 kWriteAllCode = 0x06;
constexpr quint8 kWriteOneCode = 0x07;
constexpr quint16 kSelectorBase = 0xF000;
constexpr quint16 kAllInputs = 0xF0FE;
constexpr quint16 kUserStep = 0x100;
constexpr quint16 kAckStart = 0x00AA;
constexpr quint16 kAckNext = 0x0000;
constexpr quint16 kAckAgain = 0x00FF;
constexpr quint16 kMoreBlocks = 0x00AA;
constexpr quint16 kLastBlock = 0x0056;
// Far more than any EDID; keeps a hostile sender from growing the buffer without end.
constexpr qsizetype kMaxWriteSize = 64 * kBlockPayloadMax;

bool isEdidCode(QByteArrayView frame, quint8 code) {
    return groupOf(frame) == kEdidGroup && codeOf(frame) == code;
}

}  // namespace

bool EdidReadTransfer::isCommand(QByteArrayView frame) {
    return isEdidCode(frame, kReadCode);
}

std::optional<EdidReadTransfer> EdidReadTransfer::start(const SwitcherState& state,
                                                        QByteArrayView frame) {
    const int output = paramOf(frame, 1) - kSelectorBase;
    if (output < 1 || output > kPortCount || !state.outputLinked[output - 1] ||
        state.outputEdid[output - 1].isEmpty()) {
        return std::nullopt;
    }
    return EdidReadTransfer(state.outputEdid[output - 1]);
}

bool EdidReadTransfer::isAcknowledgement(QByteArrayView frame) const {
    const quint16 p1 = paramOf(frame, 1);
    return isCommand(frame) && (p1 == kAckStart || p1 == kAckNext || p1 == kAckAgain);
}

std::optional<QByteArray> EdidReadTransfer::answer(QByteArrayView acknowledgement) {
    const quint16 p1 = paramOf(acknowledgement, 1);
    if (p1 == kAckStart || !sentOffset_) {
        return blockAt(0);
    }
    if (p1 == kAckAgain) {
        return blockAt(*sentOffset_);
    }
    const qsizetype next = *sentOffset_ + kBlockPayloadMax;
    if (next >= data_.size()) {
        return std::nullopt;
    }
    return blockAt(next);
}

QByteArray EdidReadTransfer::blockAt(qsizetype offset) {
    sentOffset_ = offset;
    const QByteArrayView payload = QByteArrayView(data_).sliced(
        offset, std::min<qsizetype>(kBlockPayloadMax, data_.size() - offset));
    const bool last = offset + payload.size() >= data_.size();
    return makeBlock(kEdidGroup, kReadCode, last ? kStatusLastBlock : kStatusReady, payload);
}

bool EdidWriteTransfer::isCommand(QByteArrayView frame) {
    return isEdidCode(frame, kWriteAllCode) || isEdidCode(frame, kWriteOneCode);
}

std::optional<EdidWriteTransfer> EdidWriteTransfer::start(QByteArrayView frame) {
    const quint16 selector = paramOf(frame, 1);
    if (codeOf(frame) == kWriteAllCode) {
        return selector == kAllInputs
                   ? std::optional(EdidWriteTransfer(kWriteAllCode, Target::AllInputs, 0))
                   : std::nullopt;
    }
    const int input = selector - kSelectorBase;
    if (input >= 1 && input <= kPortCount) {
        return EdidWriteTransfer(kWriteOneCode, Target::Input, input - 1);
    }
    for (int memory = 1; memory <= kUserEdidCount; ++memory) {
        if (selector == kSelectorBase + memory * kUserStep) {
            return EdidWriteTransfer(kWriteOneCode, Target::UserMemory, memory - 1);
        }
    }
    return std::nullopt;
}

bool EdidWriteTransfer::startsBlock(QByteArrayView header) const {
    const quint16 status = paramOf(header, 1);
    return isEdidCode(header, code_) && (status == kMoreBlocks || status == kLastBlock);
}

EdidWriteTransfer::BlockOutcome EdidWriteTransfer::receiveBlock(QByteArrayView block, bool take) {
    const quint16 length = paramOf(block, 2);
    if (block.size() != kBlockSize || length < 1 || length > kBlockPayloadMax ||
        data_.size() + length > kMaxWriteSize) {
        return BlockOutcome::Bad;
    }
    const QByteArrayView payload = block.sliced(kPayloadOffset, length);
    if (checksumOf(payload) != static_cast<quint8>(block[kDataChecksumOffset])) {
        return BlockOutcome::Bad;
    }
    if (take) {
        data_.append(payload.data(), payload.size());
    }
    return paramOf(block, 1) == kLastBlock ? BlockOutcome::Last : BlockOutcome::More;
}

void EdidWriteTransfer::store(SwitcherState& state) const {
    switch (target_) {
        case Target::AllInputs:
            state.inputEdid.fill(data_);
            break;
        case Target::Input:
            state.inputEdid[index_] = data_;
            break;
        case Target::UserMemory:
            state.userEdid[index_] = data_;
            break;
    }
}

}  // namespace sim

#include "FirmwareReceiver.h"

#include <algorithm>

#include "CommandResponder.h"
#include "SimFrame.h"

namespace sim {

namespace {

constexpr quint8 kStagedCode = 0x01;
constexpr quint8 kPlainCode = 0x02;
constexpr quint8 kStatusDeclined = 0x44;
constexpr quint16 kStep1 = 0x0080;
constexpr quint16 kStep2 = 0x0010;
constexpr quint16 kMoreBlocks = 0x00AA;
constexpr quint16 kLastBlock = 0x0056;
constexpr quint16 kSlaveCount = 3;
// Larger than any MCU's flash; a runaway sender cannot make the switcher grow without bound.
constexpr qsizetype kMaxImage = 16 * 1024 * 1024;

bool isFirmwareCode(quint8 code) {
    return code == kStagedCode || code == kPlainCode;
}

bool knownPart(quint8 code, quint16 number) {
    return code == kStagedCode ? number == 1 : number >= 1 && number <= kSlaveCount;
}

QByteArray answer(QByteArrayView unit, quint8 status) {
    return makeFrame(groupOf(unit), codeOf(unit), status);
}

}  // namespace

QString ReceivedPart::label() const {
    return QStringLiteral("Part_%1.%2.%3.%4").arg(code).arg(p1).arg(p3).arg(p4);
}

bool FirmwareReceiver::handles(QByteArrayView unit) const {
    return groupOf(unit) == kGroup && isFirmwareCode(codeOf(unit));
}

int FirmwareReceiver::blockLength(QByteArrayView header) const {
    if (!transfer_ || transfer_->stage != Stage::Blocks || groupOf(header) != kGroup ||
        codeOf(header) != transfer_->part.code) {
        return 0;
    }
    const quint16 status = paramOf(header, 1);
    const quint16 length = paramOf(header, 2);
    const bool blockHeader = (status == kMoreBlocks && length == kBlockPayloadMax) ||
                             (status == kLastBlock && length <= kBlockPayloadMax);
    if (!blockHeader) {
        return 0;
    }
    return transfer_->part.code == kStagedCode ? kBlockSize : kPayloadOffset + length;
}

FirmwareReceiver::Answer FirmwareReceiver::receive(QByteArrayView unit, bool mayAct) {
    if (unit.size() > kFrameSize) {
        return transfer_ ? takeBlock(unit, mayAct) : Answer{refusalOf(unit)};
    }
    if (const auto step = stagingStepOf(unit)) {
        return {takeStep(*step, unit, mayAct)};
    }
    return {startPart(unit, mayAct)};
}

void FirmwareReceiver::addFault(const FirmwareFault& fault) {
    faults_.push_back(fault);
}

void FirmwareReceiver::abandon() {
    transfer_.reset();
}

std::optional<std::pair<quint8, quint8>> FirmwareReceiver::takeNewMainVersion() {
    return std::exchange(newMainVersion_, std::nullopt);
}

std::optional<FirmwareStep> FirmwareReceiver::stagingStepOf(QByteArrayView frame) const {
    if (!transfer_ || transfer_->part.code != kStagedCode || codeOf(frame) != kStagedCode ||
        paramOf(frame, 2) != 0 || paramOf(frame, 3) != 0 || paramOf(frame, 4) != 0) {
        return std::nullopt;
    }
    switch (paramOf(frame, 1)) {
        case kStep1:
            return FirmwareStep::Stage1;
        case kStep2:
            return FirmwareStep::Stage2;
        default:
            return std::nullopt;
    }
}

std::optional<FirmwareFaultKind> FirmwareReceiver::takeFault(FirmwareStep step, quint8 code,
                                                             quint16 number, int block) {
    const auto fault = std::find_if(faults_.begin(), faults_.end(), [&](const FirmwareFault& f) {
        return f.matches(step, code, number, block);
    });
    if (fault == faults_.end()) {
        return std::nullopt;
    }
    const FirmwareFaultKind kind = fault->kind;
    if (fault->times > 0 && --fault->times == 0) {
        faults_.erase(fault);
    }
    return kind;
}

QByteArray FirmwareReceiver::startPart(QByteArrayView frame, bool mayAct) {
    const quint8 code = codeOf(frame);
    const quint16 number = paramOf(frame, 1);
    if (!knownPart(code, number)) {
        return refusalOf(frame);
    }
    if (const auto fault = takeFault(FirmwareStep::Command, code, number, -1)) {
        if (mayAct) {
            transfer_.reset();
        }
        return *fault == FirmwareFaultKind::Decline ? answer(frame, kStatusDeclined) : QByteArray();
    }
    if (mayAct) {
        Transfer transfer;
        transfer.part = {groupOf(frame),    code, number, paramOf(frame, 2), paramOf(frame, 3),
                         paramOf(frame, 4), {}};
        transfer.stage = code == kStagedCode ? Stage::AwaitStep1 : Stage::Blocks;
        transfer_ = std::move(transfer);
    }
    return answer(frame, kStatusReady);
}

QByteArray FirmwareReceiver::takeStep(FirmwareStep step, QByteArrayView frame, bool mayAct) {
    const Stage stage = transfer_->stage;
    // A step the controller repeats because it missed the answer is answered again.
    const bool expected =
        step == FirmwareStep::Stage1
            ? stage == Stage::AwaitStep1 || stage == Stage::AwaitStep2
            : stage == Stage::AwaitStep2 || (stage == Stage::Blocks && transfer_->nextBlock == 0);
    if (!expected) {
        return refusalOf(frame);
    }
    if (const auto fault = takeFault(step, transfer_->part.code, transfer_->part.p1, -1)) {
        return *fault == FirmwareFaultKind::Decline ? answer(frame, kStatusDeclined) : QByteArray();
    }
    if (mayAct) {
        transfer_->stage = step == FirmwareStep::Stage1 ? Stage::AwaitStep2 : Stage::Blocks;
    }
    return answer(frame, kStatusOk);
}

bool FirmwareReceiver::blockIsGood(QByteArrayView block) const {
    const ReceivedPart& part = transfer_->part;
    const quint16 length = paramOf(block, 2);
    const qsizetype expectedSize = part.code == kStagedCode ? kBlockSize : kPayloadOffset + length;
    if (block.size() != expectedSize || paramOf(block, 3) != part.p1 ||
        paramOf(block, 4) != transfer_->nextBlock || part.image.size() + length > kMaxImage) {
        return false;
    }
    const QByteArrayView payload = block.sliced(kPayloadOffset, length);
    const QByteArrayView padding = block.sliced(kPayloadOffset + length);
    return checksumOf(payload) == static_cast<quint8>(block[kDataChecksumOffset]) &&
           std::all_of(padding.begin(), padding.end(), [](char c) { return c == 0; });
}

bool FirmwareReceiver::repeatsLastBlock(QByteArrayView block) const {
    const Transfer& t = *transfer_;
    return t.nextBlock > 0 && paramOf(block, 4) == t.nextBlock - 1 &&
           paramOf(block, 2) == t.lastBlockLength &&
           block.sliced(kPayloadOffset, t.lastBlockLength) ==
               QByteArrayView(t.part.image).last(t.lastBlockLength);
}

FirmwareReceiver::Answer FirmwareReceiver::takeBlock(QByteArrayView block, bool mayAct) {
    const ReceivedPart& part = transfer_->part;
    if (const auto fault = takeFault(FirmwareStep::Block, part.code, part.p1, paramOf(block, 4))) {
        return {*fault == FirmwareFaultKind::Decline ? answer(block, kStatusDeclined)
                                                     : QByteArray()};
    }
    if (repeatsLastBlock(block)) {
        return {answer(block, kStatusOk)};
    }
    if (!blockIsGood(block)) {
        return {refusalOf(block)};
    }
    if (!mayAct) {
        return {answer(block, kStatusOk)};
    }
    const quint16 length = paramOf(block, 2);
    transfer_->part.image.append(block.sliced(kPayloadOffset, length));
    transfer_->lastBlockLength = length;
    ++transfer_->nextBlock;
    Answer result{answer(block, kStatusOk)};
    if (paramOf(block, 1) == kLastBlock) {
        parts_.push_back(std::move(transfer_->part));
        transfer_.reset();
        if (parts_.back().code == kStagedCode) {
            newMainVersion_ = {static_cast<quint8>(parts_.back().p3),
                               static_cast<quint8>(parts_.back().p4)};
            result.reboots = true;
        }
    }
    return result;
}

}  // namespace sim

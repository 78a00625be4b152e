#include "SwitcherSim.h"

#include "CommandResponder.h"
#include "FaultEffects.h"
#include "SimFrame.h"

namespace sim {

std::vector<Delivery> SwitcherSim::receive(const QByteArray& bytes, double nowMs) {
    std::vector<Delivery> deliveries;
    const FrameSplitter::BlockTest blockTest = [this](QByteArrayView header) {
        return startsBlock(header);
    };
    qsizetype fed = 0;
    while (fed < bytes.size()) {
        // Feeding at most one block at a time bounds the splitter's buffer.
        const qsizetype slice = std::min<qsizetype>(kBlockSize, bytes.size() - fed);
        splitter_.append(QByteArrayView(bytes).sliced(fed, slice));
        fed += slice;
        while (const auto unit = splitter_.next(blockTest)) {
            logUnit(*unit);
            const auto fault = faults_.take(groupOf(*unit), codeOf(*unit));
            QByteArray reply = answerUnit(*unit, fault);
            if (fault && !reply.isEmpty()) {
                reply = spoilReply(*fault, std::move(reply));
            }
            const bool delayed = fault && fault->kind == FaultKind::Delay;
            const bool split = fault && fault->kind == FaultKind::Split;
            const double arrived = clock_.arrivalMs(nowMs, fed - splitter_.buffered());
            for (Delivery& delivery : clock_.schedule(arrived, reply, delayed ? fault->delayMs : 0,
                                                      split ? fault->pieces : 1)) {
                deliveries.push_back(std::move(delivery));
            }
            if (fault && fault->kind == FaultKind::DropConnection) {
                dropConnection();
                return deliveries;
            }
        }
    }
    return deliveries;
}

void SwitcherSim::injectFault(const Fault& fault) {
    faults_.add(fault);
}

void SwitcherSim::clearFaults() {
    faults_.clear();
}

void SwitcherSim::setWireTimeEmulation(bool on) {
    clock_.setWireTimeEmulation(on);
}

void SwitcherSim::setReplyDelayMs(int ms) {
    clock_.setReplyDelayMs(ms);
}

SwitcherState& SwitcherSim::state() {
    return state_;
}

const QStringList& SwitcherSim::frameLog() const {
    return frameLog_;
}

bool SwitcherSim::takeConnectionDrop() {
    return std::exchange(connectionDropped_, false);
}

bool SwitcherSim::startsBlock(QByteArrayView header) const {
    return writing_ && writing_->startsBlock(header);
}

void SwitcherSim::logUnit(const QByteArray& unit) {
    ++framesReceived_;
    frameLog_.append(unit.size() == kBlockSize
                         ? QStringLiteral("%1 +%2 bytes")
                               .arg(hexOf(QByteArrayView(unit).first(kPayloadOffset)))
                               .arg(paramOf(unit, 2))
                         : hexOf(unit));
    if (frameLog_.size() > kFrameLogLimit) {
        frameLog_.removeFirst();
    }
}

QByteArray SwitcherSim::answerUnit(const QByteArray& unit, const std::optional<Fault>& fault) {
    if (fault && losesFrame(fault->kind)) {
        return {};
    }
    if (reading_ && reading_->isAcknowledgement(unit)) {
        // A spoiled block is asked for again with "send again", so it counts as sent.
        if (auto block = reading_->answer(unit)) {
            return *block;
        }
        reading_.reset();
    }
    // The controller sends a frame again when it did not accept the reply; acting on it only
    // when the reply is acceptable keeps a repeated frame (a write block above all) from counting
    // twice.
    const bool mayAct = !fault || leavesReplyAcceptable(fault->kind);
    return unit.size() == kBlockSize ? answerBlock(unit, mayAct) : answerFrame(unit, mayAct);
}

QByteArray SwitcherSim::answerFrame(const QByteArray& frame, bool mayAct) {
    const QByteArray ready = makeFrame(groupOf(frame), codeOf(frame), kStatusReady);
    if (mayAct) {
        reading_.reset();
        writing_.reset();
    }
    if (EdidReadTransfer::isCommand(frame)) {
        auto transfer = EdidReadTransfer::start(state_, frame);
        if (!transfer) {
            return refusalOf(frame);
        }
        if (mayAct) {
            reading_ = std::move(transfer);
        }
        return ready;
    }
    if (EdidWriteTransfer::isCommand(frame)) {
        auto transfer = EdidWriteTransfer::start(frame);
        if (!transfer) {
            return refusalOf(frame);
        }
        if (mayAct) {
            writing_ = std::move(transfer);
        }
        return ready;
    }
    SwitcherState untouched = state_;
    return respondToCommand(mayAct ? state_ : untouched, frame);
}

QByteArray SwitcherSim::answerBlock(const QByteArray& block, bool mayAct) {
    const auto outcome = writing_->receiveBlock(block, mayAct);
    if (outcome == EdidWriteTransfer::BlockOutcome::Bad) {
        return refusalOf(block);
    }
    if (outcome == EdidWriteTransfer::BlockOutcome::Last && mayAct) {
        writing_->store(state_);
        writing_.reset();
    }
    return makeFrame(groupOf(block), codeOf(block), kStatusOk);
}

void SwitcherSim::dropConnection() {
    connectionDropped_ = true;
    splitter_.clear();
    reading_.reset();
    writing_.reset();
}

}  // namespace sim

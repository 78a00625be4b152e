#include "SwitcherSim.h"

#include "CommandResponder.h"
#include "FaultEffects.h"
#include "SimFrame.h"

namespace sim {

std::vector<Delivery> SwitcherSim::receive(const QByteArray& bytes, double nowMs) {
    std::vector<Delivery> deliveries;
    const FrameSplitter::UnitLength unitLength = [this](QByteArrayView header) {
        return this->unitLength(header);
    };
    qsizetype fed = 0;
    while (fed < bytes.size()) {
        // Feeding at most one block at a time bounds the splitter's buffer.
        const qsizetype slice = std::min<qsizetype>(kBlockSize, bytes.size() - fed);
        splitter_.append(QByteArrayView(bytes).sliced(fed, slice));
        fed += slice;
        while (const auto unit = splitter_.next(unitLength)) {
            logUnit(*unit);
            const double arrived = clock_.arrivalMs(nowMs, fed - splitter_.buffered());
            if (arrived < static_cast<double>(silentUntilMs_)) {
                continue;  // still rebooting: nothing is heard
            }
            if (unit->size() == kLdcdPacketSize && ModuleBank::startsLdcd(*unit)) {
                const auto answer = modules_.answerLdcd(*unit);
                if (answer) {
                    for (Delivery& delivery : clock_.schedule(arrived, *answer, 0, 1))
                        deliveries.push_back(std::move(delivery));
                }
                continue;
            }
            const auto fault = faults_.take(groupOf(*unit), codeOf(*unit));
            QByteArray reply = answerUnit(*unit, fault);
            if (fault && !reply.isEmpty()) {
                reply = spoilReply(*fault, std::move(reply));
            }
            const bool delayed = fault && fault->kind == FaultKind::Delay;
            const bool split = fault && fault->kind == FaultKind::Split;
            qint64 sentMs = static_cast<qint64>(arrived);
            for (Delivery& delivery : clock_.schedule(arrived, reply, delayed ? fault->delayMs : 0,
                                                      split ? fault->pieces : 1)) {
                sentMs = delivery.dueMs;
                deliveries.push_back(std::move(delivery));
            }
            if (std::exchange(rebootPending_, false)) {
                reboot(sentMs + rebootMs_);
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

void SwitcherSim::setRebootMs(int ms) {
    rebootMs_ = std::max(ms, 0);
}

void SwitcherSim::injectFirmwareFault(const FirmwareFault& fault) {
    firmware_.addFault(fault);
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

int SwitcherSim::unitLength(QByteArrayView header) const {
    if (writing_ && writing_->startsBlock(header)) {
        return kBlockSize;
    }
    const int firmwareBlock = firmware_.blockLength(header);
    return firmwareBlock > 0 ? firmwareBlock : kFrameSize;
}

void SwitcherSim::logUnit(const QByteArray& unit) {
    ++framesReceived_;
    frameLog_.append(unit.size() == kLdcdPacketSize && ModuleBank::startsLdcd(unit)
                         ? QStringLiteral("LDCD %1").arg(hexOf(unit))
                     : unit.size() > kFrameSize
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
    if (firmware_.handles(unit)) {
        FirmwareReceiver::Answer answer = firmware_.receive(unit, mayAct);
        rebootPending_ = answer.reboots;
        return answer.reply;
    }
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
    const int reboots = state_.rebootCount;
    QByteArray reply = respondToCommand(mayAct ? state_ : untouched, frame);
    rebootPending_ = state_.rebootCount != reboots;
    return reply;
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

void SwitcherSim::reboot(qint64 silentUntilMs) {
    silentUntilMs_ = silentUntilMs;
    splitter_.clear();
    reading_.reset();
    writing_.reset();
    firmware_.abandon();
    if (const auto version = firmware_.takeNewMainVersion()) {
        state_.firmwareMajor = version->first;
        state_.firmwareMinor = version->second;
    }
}

void SwitcherSim::dropConnection() {
    connectionDropped_ = true;
    splitter_.clear();
    reading_.reset();
    writing_.reset();
}

}  // namespace sim

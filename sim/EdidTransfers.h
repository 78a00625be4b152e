#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <optional>

#include "SwitcherState.h"

namespace sim {

// The switcher's side of Read EDID data (0x03/0x05): after the command is accepted, every
// acknowledgement frame asks for the first, the next or the same 270-byte block again.
class EdidReadTransfer {
public:
    static bool isCommand(QByteArrayView frame);
    // nullopt when the selector is bad or the output has no display.
    static std::optional<EdidReadTransfer> start(const SwitcherState& state, QByteArrayView frame);

    bool isAcknowledgement(QByteArrayView frame) const;
    // The block asked for; nullopt when the last block was already accepted.
    std::optional<QByteArray> answer(QByteArrayView acknowledgement);

private:
    explicit EdidReadTransfer(QByteArray data) : data_(std::move(data)) {}
    QByteArray blockAt(qsizetype offset);

    QByteArray data_;
    std::optional<qsizetype> sentOffset_;
};

// The switcher's side of Write EDID (0x03/0x06 and 0x03/0x07): after the command is accepted,
// the controller sends 270-byte blocks; the payload is stored when the last block arrives.
class EdidWriteTransfer {
public:
    enum class Target { AllInputs, Input, UserMemory };
    enum class BlockOutcome { Bad, More, Last };

    static bool isCommand(QByteArrayView frame);
    static std::optional<EdidWriteTransfer> start(QByteArrayView frame);

    quint8 code() const { return code_; }
    bool startsBlock(QByteArrayView header) const;
    // Judges a block; a good block's payload is kept only when `take` is true.
    BlockOutcome receiveBlock(QByteArrayView block, bool take);
    void store(SwitcherState& state) const;

private:
    EdidWriteTransfer(quint8 code, Target target, int index)
        : code_(code), target_(target), index_(index) {}

    quint8 code_;
    Target target_;
    int index_;
    QByteArray data_;
};

}  // namespace sim

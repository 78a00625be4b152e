#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>
#include <vector>

#include "FirmwareFault.h"

namespace sim {

// A firmware part as the switcher took it in: its command fields and the image bytes.
struct ReceivedPart {
    quint8 group = 0;
    quint8 code = 0;
    quint16 p1 = 0;
    quint16 p2 = 0;
    quint16 p3 = 0;
    quint16 p4 = 0;
    QByteArray image;

    // "Part_" code "." P1 "." P3 "." P4
    QString label() const;
};

// The switcher's side of a firmware upgrade over group 0x20: a part command (code 1 for the
// main MCU, code 2 for a slave MCU) answered 0xAA, for code 1 two staging steps answered 0x00,
// then data blocks answered 0x00 when every header field and the data checksum are right and
// 0xFF otherwise. A code-1 part's blocks are 270 bytes, a code-2 part's 14 + payload bytes.
class FirmwareReceiver {
public:
    static constexpr quint8 kGroup = 0x20;

    struct Answer {
        QByteArray reply;      // empty: the switcher stays silent
        bool reboots = false;  // the main MCU's image is complete; the switcher restarts
    };

    // Whether this unit is the receiver's business: a part command, a staging step or a block.
    bool handles(QByteArrayView unit) const;
    // The length of the block that starts with this header, or 0 if none does now.
    int blockLength(QByteArrayView header) const;
    // `mayAct` false: answer as usual but change nothing, because the controller will not
    // accept the answer and will send the same unit again.
    Answer receive(QByteArrayView unit, bool mayAct);

    void addFault(const FirmwareFault& fault);
    // A restart loses the part in progress.
    void abandon();

    // Every complete part, in the order received.
    const std::vector<ReceivedPart>& parts() const { return parts_; }
    // The version (P3, P4) of the main MCU image received since it was last asked; a reboot
    // runs it.
    std::optional<std::pair<quint8, quint8>> takeNewMainVersion();

private:
    enum class Stage { AwaitStep1, AwaitStep2, Blocks };
    struct Transfer {
        ReceivedPart part;
        Stage stage = Stage::Blocks;
        quint16 nextBlock = 0;
        qsizetype lastBlockLength = 0;
    };

    std::optional<FirmwareStep> stagingStepOf(QByteArrayView frame) const;
    QByteArray startPart(QByteArrayView frame, bool mayAct);
    QByteArray takeStep(FirmwareStep step, QByteArrayView frame, bool mayAct);
    Answer takeBlock(QByteArrayView block, bool mayAct);
    bool blockIsGood(QByteArrayView block) const;
    bool repeatsLastBlock(QByteArrayView block) const;
    std::optional<FirmwareFaultKind> takeFault(FirmwareStep step, quint8 code, quint16 number,
                                               int block);

    std::optional<Transfer> transfer_;
    std::vector<ReceivedPart> parts_;
    std::vector<FirmwareFault> faults_;
    std::optional<std::pair<quint8, quint8>> newMainVersion_;
};

}  // namespace sim

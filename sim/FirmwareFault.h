#pragma once

#include <QString>
#include <optional>

namespace sim {

enum class FirmwareFaultKind { Decline, Silent };  // answer 'D', or nothing
enum class FirmwareStep { Command, Stage1, Stage2, Block };

// A misbehaviour of the switcher during a firmware upgrade, for chosen parts and blocks.
struct FirmwareFault {
    FirmwareFaultKind kind = FirmwareFaultKind::Decline;
    FirmwareStep step = FirmwareStep::Block;
    int block = -1;   // Block: -1 any block, else this block number
    int code = -1;    // the part: -1 any, else its code (1 or 2)
    int number = -1;  // and its P1, the MCU number
    int times = 1;    // -1: every time

    bool matches(FirmwareStep at, quint8 partCode, quint16 partNumber, int blockNumber) const;
};

// Reads "kind[:step[:times[:part]]]": kind decline or silent; step command, stage1, stage2,
// block (any block, the default) or block=N; times a count or "all" (default 1); part as
// code.number, e.g. 2.3 for slave MCU3 (default any part).
std::optional<FirmwareFault> parseFirmwareFault(const QString& text, QString* error);

}  // namespace sim

#pragma once

#include <QtGlobal>
#include <span>

#include "link/Frame.h"

// How the controller judges one block the switcher sends in a data-in transfer.
namespace devlink {

enum class BlockVerdict {
    Bad,        // ask for it again
    More,       // keep the payload; more blocks follow
    Last,       // keep the payload; the transfer is complete
    OverLimit,  // the transfer would pass the caller's bound: it cannot end well
};

// What the transfer has kept so far.
struct ReadProgress {
    qsizetype bytes = 0;
    int blocks = 0;
};

// The most blocks a transfer of at most limitBytes payload bytes may take.
int BlockLimit(int limitBytes);

// block: the 270 bytes received; request: the frame that asked for it.
BlockVerdict JudgeReadBlock(std::span<const quint8> block, const Frame& request, ReadProgress kept,
                            int limitBytes);

// The payload of a block judged More or Last.
std::span<const quint8> ReadBlockPayload(std::span<const quint8> block);

}  // namespace devlink

#pragma once

#include <QByteArray>

#include "SimFault.h"

namespace sim {

// True when the controller still receives a reply it accepts (Delay, Split, TrailingBytes).
bool leavesReplyAcceptable(FaultKind kind);

// True when the frame counts as never received (NoReply, DropConnection).
bool losesFrame(FaultKind kind);

// The bytes sent instead of `reply` (a 13-byte frame or a 270-byte block). Header changes keep
// or break the header checksum as the fault's name says; for a block, BadChecksum breaks the data
// checksum and ChecksumRightWrongContent changes the payload under a matching data checksum.
QByteArray spoilReply(const Fault& fault, QByteArray reply);

}  // namespace sim

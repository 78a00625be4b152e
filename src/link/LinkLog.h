#pragma once

#include <QString>
#include <span>

#include "link/Frame.h"

// The traffic texts the link hands to the window.
namespace devlink {

// label CR LF "A5 5B 01 01 [00 UU 00] [06 00] [00 00] [00 00] FE, RC=0"
QString FormatFrameLog(const QString& label, const Frame& frame, int number);

// Received bytes: the label, then "0xA5, 0x5B, ...", framed by two lines of 48 asterisks.
QString FormatReceivedDump(std::span<const quint8> bytes, const QString& label = QString());

// Sent blocks: the same byte form with "|" before bytes 4, 6, 8, 10 and 12.
QString FormatSentData(const QString& prefix, std::span<const quint8> bytes);

}  // namespace devlink

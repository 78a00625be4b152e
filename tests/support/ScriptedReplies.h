#pragma once

#include <QByteArray>
#include <vector>

#include "sim/SwitcherSim.h"

// Replies built independently of the link's frame code, for scripted exchanges.
namespace testing_support {

QByteArray ReplyFrame(int group, int code, int status, int value = 0, int p2high = 0);
QByteArray DataBlock(int group, int code, int status, const QByteArray& payload,
                     bool corruptData = false);
std::vector<sim::Delivery> At(qint64 dueMs, const QByteArray& bytes);

}  // namespace testing_support

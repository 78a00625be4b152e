#pragma once

#include <QByteArray>

#include "link/CommandResult.h"
#include "link/Frame.h"

namespace devlink {

class TVKCOMControl;

// The status line of a reboot wait that ended with every probe refused.
constexpr char kRebootFailedText[] = "System reboot failed";

// Sends one firmware part to the switcher, and waits for the switcher to come back after a
// reboot. The part's image is the link's OutStream, from position 0; the part's command frame
// comes from its section header. Everything is reported through the link's notifications.
class FirmwareTransfer {
public:
    explicit FirmwareTransfer(TVKCOMControl& link) : link_(link) {}

    // A part of code 2: the command, then blocks of exactly 14 + payload bytes.
    CommandResult WritePart(const Frame& partFrame);
    // A part of code 1: the command, two staging steps, then blocks of 270 bytes; after the
    // main MCU's part (group 0x20) the switcher reboots by itself, so this ends with
    // RebootWait and returns its result.
    CommandResult WritePartStaged(const Frame& partFrame);
    // At least 10 s of pause, then up to 10 probes until the switcher answers.
    CommandResult RebootWait();

private:
    struct BlockStyle;
    enum class PartEnd { Done, Declined, Failed };

    bool proceeds(const Frame& part, CommandResult& result, quint8 expectedStatus);
    void declined(const Frame& part, CommandResult& result);
    // The part's command; true when the switcher is ready for its blocks.
    bool opens(const Frame& part, CommandResult& result);
    // Every block of the image; true when the switcher took them all. A lost line is a failure.
    bool sendBlocks(const Frame& part, const BlockStyle& style, CommandResult& result);
    PartEnd sendImage(const Frame& part, const BlockStyle& style, CommandResult& result);
    PartEnd sendBlock(const Frame& part, const BlockStyle& style, const QByteArray& block,
                      CommandResult& result);
    bool waitForProbeReply(int& spinner);
    void showRebooting(int& spinner);
    void pause(int ms);
    void requireLine() const;

    TVKCOMControl& link_;
};

}  // namespace devlink

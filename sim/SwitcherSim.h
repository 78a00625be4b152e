#pragma once

#include <QByteArray>
#include <QStringList>
#include <optional>
#include <vector>

#include "Delivery.h"
#include "EdidTransfers.h"
#include "EthernetModule.h"
#include "FaultQueue.h"
#include "FirmwareReceiver.h"
#include "FrameSplitter.h"
#include "ReplyClock.h"
#include "SimFault.h"
#include "SwitcherState.h"

namespace sim {

// The 6x6 matrix switcher as seen from its control port, on the caller's clock. Power off does
// not silence it: every command keeps its normal answer, because the controller refuses powered
// commands itself.
class SwitcherSim {
public:
    static constexpr int kFrameLogLimit = 10000;

    explicit SwitcherSim(const ModuleSetup& modules = {}) : modules_(modules) {}

    // Bytes from the controller, arriving at nowMs. Returns what the switcher sends back, in order.
    std::vector<Delivery> receive(const QByteArray& bytes, double nowMs);
    void injectFault(const Fault& fault);  // queued; applied to the next matching received frames
    void clearFaults();
    void setWireTimeEmulation(bool on);  // 57600 baud, 10 bits per byte, both directions
    void setReplyDelayMs(int ms);        // the simulator's own stated processing delay (default 0)
    // How long the switcher stays silent after a reboot: the Reboot system command, or the end
    // of the main MCU's firmware part (default 2000 ms).
    void setRebootMs(int ms);
    void injectFirmwareFault(const FirmwareFault& fault);
    // Every firmware part received whole, in order. After a reboot the version command reports
    // the version of the last main MCU part received.
    const std::vector<ReceivedPart>& firmwareParts() const { return firmware_.parts(); }
    SwitcherState& state();
    // One line per frame received (hex; a block shows its header, data checksum and length).
    // Only the latest kFrameLogLimit lines are kept.
    const QStringList& frameLog() const;
    qint64 framesReceived() const { return framesReceived_; }
    // True once after a DropConnection fault: the peer must be disconnected.
    bool takeConnectionDrop();
    // The Ethernet modules; the first one also hears LDCD packets on the control port.
    ModuleBank& modules() { return modules_; }

private:
    int unitLength(QByteArrayView header) const;
    void logUnit(const QByteArray& unit);
    QByteArray answerUnit(const QByteArray& unit, const std::optional<Fault>& fault);
    QByteArray answerFrame(const QByteArray& frame, bool mayAct);
    QByteArray answerBlock(const QByteArray& block, bool mayAct);
    void dropConnection();
    void reboot(qint64 silentUntilMs);

    SwitcherState state_;
    FrameSplitter splitter_;
    FaultQueue faults_;
    ReplyClock clock_;
    std::optional<EdidReadTransfer> reading_;
    std::optional<EdidWriteTransfer> writing_;
    FirmwareReceiver firmware_;
    int rebootMs_ = 2000;
    bool rebootPending_ = false;
    qint64 silentUntilMs_ = 0;
    QStringList frameLog_;
    qint64 framesReceived_ = 0;
    bool connectionDropped_ = false;
    ModuleBank modules_;
};

}  // namespace sim

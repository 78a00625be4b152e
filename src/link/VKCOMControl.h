#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <span>

#include "lan/DatagramSocket.h"
#include "lan/ModuleControl.h"
#include "lan/ModuleRecords.h"
#include "link/CommandResult.h"
#include "link/Commands.h"
#include "link/Frame.h"
#include "link/LinkGuard.h"
#include "link/LinkNotification.h"
#include "link/ReadBlock.h"
#include "link/ReplyAssembler.h"
#include "link/Retry.h"
#include "transport/LinkTiming.h"
#include "transport/SerialTransport.h"
#include "transport/StreamClient.h"

namespace devlink {

// Every attempt was answered but none accepted: a 0xFF on the last one is the switcher refusing.
FailureKind NoReplyKind(const Frame& lastReply);

// The one component through which every command reaches the switcher. Every
// operation is synchronous: it sends, then runs ticks of the pump until the
// reply is complete, the time-out passes or the window asks to stop.
class TVKCOMControl : public QObject, private ModuleControl::Owner {
    Q_OBJECT

public:
    static constexpr quint16 kModulePort = 8000;

    struct Parts {
        std::unique_ptr<SerialTransport> serial;
        std::unique_ptr<StreamClient> tcp;
        LinkPump* pump = nullptr;
        LinkClock* clock = nullptr;
        LinkGuard* flags = nullptr;
        quint16 modulePort = kModulePort;  // tests serve the module elsewhere
        // The module socket; without one, module searches and configurations fail.
        std::unique_ptr<DatagramSocket> udp = nullptr;
    };

    // The answer of an LDCD exchange: the 32 bytes as received, and whether they are good.
    struct LdcdAnswer {
        lan::LdcdPacket packet{};
        bool ok = false;
    };

    static constexpr int kConnectTimeoutMs = 3000;

    explicit TVKCOMControl(Parts parts, QObject* owner = nullptr);
    ~TVKCOMControl() override;

    QString GetComPort() const;
    void SetComPort(const QString& name);
    bool GetConnected() const;
    TControlMode ControlMode() const { return controlMode_; }
    void SetControlMode(TControlMode mode);
    QString DeviceIP() const { return deviceIP_; }
    void SetDeviceIP(const QString& ip) { deviceIP_ = ip; }
    TUDPMode UDPMode() const { return udpMode_; }
    void SetUDPMode(TUDPMode mode) { udpMode_ = mode; }

    bool IsConnecting() const { return connecting_; }
    bool IsSearching() const { return modules_.searching(); }
    bool IsConfiguring() const { return modules_.configuring(); }

    bool Connect();
    bool Disconnect();

    qint64 SendBytes(const quint8* bytes, int count);
    bool WaitReply();
    void WaitTicks(int n);

    CommandResult Transact(const Frame& frame);
    // A background read: one attempt with a short time-out, clicks held back until it ends.
    CommandResult Poll(const CommandRequest& request);
    static constexpr int kPollTimeoutTicks = 100;
    // limitBytes: the most the caller takes; a transfer that would pass it fails.
    CommandResult ReadData(const Frame& frame, int limitBytes);
    CommandResult WriteData(const Frame& frame);

    // The Ethernet module's own protocol. A search broadcasts (UDPMode umBROADCAST) or asks
    // DeviceIP alone (umNORMAL, taking answers from that address only) and takes about 3 s when
    // a module answers, 15.5 s when none does; it sends WM_LINK_LANSTATUS with the spinner text
    // and lParam 0 every 100 ms. True when a module answered. Found modules are added to the
    // list, each MAC once, at most 256 modules.
    bool SearchModules();
    // One round of a broadcast search, about 3 s, for a module that may have moved.
    bool SearchModulesBriefly();
    // The wizard's Stop: the running search ends within 100 ms and returns false.
    void CancelSearch() { modules_.cancelSearch(); }
    int FoundModuleCount() const { return modules_.foundModuleCount(); }
    // Field k (lan::FoundModuleField) of module n, 1-based; defaults outside 1 to the count.
    QString FoundModuleField(int n, int k) const { return modules_.foundModuleField(n, k); }
    void ClearFoundModules() { modules_.clearFoundModules(); }
    // Sends the record (lan::BuildConfigRecord) by broadcast and to DeviceIP; WM_LINK_LANSTATUS
    // with lParam 1 while it waits, up to about 30 s. 0 accepted, 1 failed, 2 address conflict
    // (the new address is this PC's, checked before anything is sent, or the module says so).
    int ConfigureModule(const lan::ConfigRecord& record);
    // A 32-byte LDCD exchange on the current transport, up to 5 attempts; the window runs it in
    // COM control mode only, under its busy guard.
    LdcdAnswer ExchangeLdcd(const lan::LdcdPacket& request);
    // This PC's address as the module protocol sees it (dotted).
    QString LocalAddress() { return modules_.localAddress(); }

    QByteArray& InStream() { return inStream_; }
    QByteArray& OutStream() { return outStream_; }

    int PollCount() const { return pollCount_; }
    const Frame& ReplyHeader() const { return replyHeader_; }

    // Serial receive accounting; the serial transport calls it for every delivery.
    void OnSerialData(const QByteArray& bytes);

    // The traffic texts (frame and data logs) cost more than the exchange itself; they are built
    // and sent only while a receiver asks for them here or the traffic log category is on.
    void SetTrafficTexts(bool wanted) { trafficTexts_ = wanted; }
    bool TrafficTextsWanted() const;

    // Building blocks for transfers that live beside the link (the firmware parts).
    enum class Outcome { Reply, TimedOut, Stopped };
    // One attempt: reset the receive state, send, wait. Transport errors propagate.
    Outcome exchange(const quint8* bytes, int count, ReplyKind kind,
                     const std::function<void()>& afterSend = {});
    void resetReceiveState(ReplyKind kind);
    bool replyComplete() const { return reply_.complete(); }
    Frame receivedHeader() const;
    // The first bytes of the receive buffer, for replies longer than a frame.
    std::span<const quint8> receivedBytes(std::size_t count) const {
        return reply_.bytes().first(std::min(count, reply_.bytes().size()));
    }
    // In TCP mode, takes and accounts what the module sent, as every tick of WaitReply does.
    void pollInput() {
        if (controlMode_ == cmLAN && !flags_.stopRequested()) pollTcp();
    }
    bool stopRequested() const override { return flags_.stopRequested(); }
    // The exchange tried up to policy.attempts times. Transport errors propagate.
    Attempted retry(const RetryPolicy& policy, const RetriedExchange& tried);
    // Turns how the attempts ended into the result's failure; true when a reply was accepted.
    bool settle(CommandResult& result, Attempted end);
    void notify(int message, qint64 wParam = 0, qint64 lParam = 0, const QString& text = {},
                FailureKind failure = FailureKind::None);
    // Ends an operation: marks the result failed with its kind and sends the kind's notification.
    void fail(CommandResult& result, FailureKind kind);

signals:
    // Every notification, in the order sent; receivers connect directly, so it arrives
    // synchronously inside the operation that raised it.
    void notified(const devlink::LinkNotification& notification);
    // The transport of the current control mode went away by itself: the serial adapter
    // was unplugged or the Ethernet module closed the connection. GetConnected() is
    // already false when it arrives; Disconnect and failed connects never raise it. It
    // comes from the event loop, while idle or inside the wait of a running command
    // (which then ends with WM_LINK_ERROR).
    void lineLost();

private:
    bool trafficTextsWanted() const override { return TrafficTextsWanted(); }
    void moduleReport(Report report, qint64 target, const QString& text) override;
    void lostLine(TControlMode mode);
    template <class BuildText>
    void notifyTraffic(int message, BuildText&& buildText);
    int expectedLength(bool overTcp) const;
    void accountReceived(const QByteArray& bytes, bool overTcp);
    void pollTcp();
    bool timedOut() const { return pollCount_ >= timeoutTicks_; }
    CommandResult transactWith(const Frame& frame, const RetryPolicy& policy);
    void pauseAfterReply(const RetryPolicy& policy);
    // Runs next until it reports the last block; WM_LINK_DONE at the end.
    void runBlocks(CommandResult& result, const std::function<bool(bool& done)>& next);
    QByteArray buildWriteBlock(const Frame& command, qsizetype offset) const;
    bool readBlock(Frame& request, int limitBytes, ReadProgress& kept, CommandResult& result,
                   bool& done);
    bool writeBlock(const QByteArray& block, int payloadLength, const Frame& header,
                    CommandResult& result);
    void logFrame(const QString& label, const Frame& frame, int number = 0);

    std::unique_ptr<SerialTransport> serial_;
    std::unique_ptr<StreamClient> tcp_;
    LinkPump& pump_;
    LinkClock& clock_;
    LinkGuard& flags_;
    quint16 modulePort_;

    TControlMode controlMode_ = cmLAN;
    TUDPMode udpMode_ = umBROADCAST;
    QString deviceIP_ = QStringLiteral("0.0.0.0");
    bool connecting_ = false;
    ModuleControl modules_;

    // Receive state, cleared before every attempt.
    ReplyKind replyKind_ = ReplyKind::Frame;
    int pollCount_ = 0;
    int timeoutTicks_ = kReplyTimeoutTicks;
    bool polling_ = false;
    ReplyAssembler reply_;
    Frame replyHeader_{};

    QByteArray inStream_;
    QByteArray outStream_;
    QString sendDataPrefix_;
    bool trafficTexts_ = false;
};

}  // namespace devlink

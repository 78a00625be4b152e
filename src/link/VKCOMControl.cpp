#include "link/VKCOMControl.h"

#include <QLoggingCategory>
#include <span>

#include "link/LinkLog.h"

namespace devlink {
namespace {

// Operators switch the traffic log on with QT_LOGGING_RULES="gc.link.traffic=true".
Q_LOGGING_CATEGORY(lcTraffic, "gc.link.traffic", QtWarningMsg)

constexpr int kBlockPauseMs = 5;

constexpr quint16 kAckStart = 0x00AA;
constexpr quint16 kAckNext = 0x0000;
constexpr quint16 kAckResend = 0x00FF;

}  // namespace

FailureKind NoReplyKind(const Frame& lastReply) {
    return lastReply[kStatusOffset] == kStatusRefused ? FailureKind::Refused : FailureKind::NoReply;
}

TVKCOMControl::TVKCOMControl(Parts parts, QObject* owner)
    : QObject(owner),
      serial_(std::move(parts.serial)),
      tcp_(std::move(parts.tcp)),
      pump_(*parts.pump),
      clock_(*parts.clock),
      flags_(*parts.flags),
      modulePort_(parts.modulePort),
      modules_(std::move(parts.udp), pump_, clock_, *this) {
    serial_->setReceiveHandler([this](const QByteArray& bytes) {
        OnSerialData(bytes);
        pump_.wake();
    });
    if (tcp_) tcp_->setArrivalHandler([this] { pump_.wake(); });
    serial_->setLossHandler([this] { lostLine(cmCOM); });
    if (tcp_) tcp_->setLossHandler([this] { lostLine(cmLAN); });
}

void TVKCOMControl::moduleReport(Report report, qint64 target, const QString& text) {
    switch (report) {
        case Report::Progress:
            notify(WM_LINK_LANSTATUS, 0, target, text);
            break;
        case Report::Error:
            notify(WM_LINK_ERROR, 0, 0, text);
            break;
        case Report::Traffic:
            notify(WM_LINK_FRAMELOG, 0, 0, text);
            break;
    }
}

void TVKCOMControl::lostLine(TControlMode mode) {
    pump_.wake();
    if (mode == controlMode_) emit lineLost();
}

TVKCOMControl::~TVKCOMControl() {
    // The owner is going away: nobody is left to tell about a failed close.
    blockSignals(true);
    Disconnect();
}

void TVKCOMControl::notify(int message, qint64 wParam, qint64 lParam, const QString& text,
                           FailureKind failure) {
    if (!text.isEmpty()) qCDebug(lcTraffic).noquote() << text;
    emit notified({message, wParam, lParam, text, failure});
}

void TVKCOMControl::fail(CommandResult& result, FailureKind kind) {
    result.ok = 0;
    result.failure = kind;
    // The follower reports its own failures as a lost line, not as a failed command.
    if (!polling_) notify(FailureMessage(kind), 0, 0, {}, kind);
}

bool TVKCOMControl::TrafficTextsWanted() const {
    return trafficTexts_ || lcTraffic().isDebugEnabled();
}

template <class BuildText>
void TVKCOMControl::notifyTraffic(int message, BuildText&& buildText) {
    if (TrafficTextsWanted()) notify(message, 0, 0, buildText());
}

QString TVKCOMControl::GetComPort() const {
    return serial_->portName();
}

void TVKCOMControl::SetComPort(const QString& name) {
    try {
        serial_->setPortName(name);
    } catch (const TransportError& e) {
        notify(WM_LINK_CONNECTFAIL, GetConnected() ? 1 : 0, 0, e.cause(),
               FailureKind::CannotConnect);
    }
}

bool TVKCOMControl::GetConnected() const {
    if (controlMode_ == cmCOM) return serial_->isOpen();
    return tcp_ && tcp_->isConnected();
}

void TVKCOMControl::SetControlMode(TControlMode mode) {
    controlMode_ = mode;
    modules_.clearProgress();
}

bool TVKCOMControl::Connect() {
    if (GetConnected()) return true;
    try {
        connecting_ = true;
        if (controlMode_ == cmCOM) {
            serial_->open();
            connecting_ = false;
            serial_->clearBuffers();
        } else {
            if (!tcp_) throw TransportError(QStringLiteral("Connection Failed"));
            tcp_->connectTo(deviceIP_, modulePort_, kConnectTimeoutMs);
            connecting_ = false;
        }
        return true;
    } catch (const TransportError& e) {
        if (tcp_) tcp_->disconnectFromHost();
        connecting_ = false;
        // The follower's reconnect attempts say only when the next one comes.
        if (!flags_.polling())
            notify(WM_LINK_CONNECTFAIL, GetConnected() ? 1 : 0, 0, e.cause(),
                   FailureKind::CannotConnect);
        return false;
    }
}

bool TVKCOMControl::Disconnect() {
    if (!GetConnected()) return true;
    try {
        if (controlMode_ == cmCOM) {
            serial_->close();
        } else {
            tcp_->disconnectFromHost();
        }
        return true;
    } catch (const TransportError&) {
        notify(WM_LINK_CONNECTFAIL, GetConnected() ? 1 : 0, 0, {}, FailureKind::CannotConnect);
        return false;
    }
}

qint64 TVKCOMControl::SendBytes(const quint8* bytes, int count) {
    const QByteArray data(reinterpret_cast<const char*>(bytes), count);
    if (controlMode_ == cmCOM) {
        serial_->clearBuffers();
        return serial_->write(data);
    }
    if (!tcp_ || !tcp_->isConnected()) throw TransportError(QStringLiteral("Not connected"));
    tcp_->discardPending();
    tcp_->sendAll(data);
    return count;
}

int TVKCOMControl::expectedLength(bool overTcp) const {
    switch (replyKind_) {
        case ReplyKind::Frame:
            return kFrameSize;
        case ReplyKind::DataBlock:
            return kBlockSize;
        case ReplyKind::ModuleRecord:
            return overTcp ? 0 : lan::kLdcdSize;
    }
    return kFrameSize;
}

void TVKCOMControl::resetReceiveState(ReplyKind kind) {
    replyKind_ = kind;
    replyHeader_.fill(0);
    reply_.reset(expectedLength(controlMode_ == cmLAN));
}

void TVKCOMControl::accountReceived(const QByteArray& bytes, bool overTcp) {
    const auto takenBytes =
        reply_.take(std::span(reinterpret_cast<const quint8*>(bytes.constData()),
                              static_cast<std::size_t>(bytes.size())));
    if (overTcp) {
        notifyTraffic(WM_LINK_DATALOG,
                      [&] { return FormatReceivedDump(takenBytes, QStringLiteral("cmLAN:::")); });
    } else {
        notify(WM_LINK_RXCOUNT, bytes.size());
        notifyTraffic(WM_LINK_DATALOG, [&] { return FormatReceivedDump(takenBytes); });
    }
}

void TVKCOMControl::OnSerialData(const QByteArray& bytes) {
    if (flags_.stopRequested()) return;
    notifyTraffic(WM_LINK_DATALOG, [this] {
        return QStringLiteral("CopyDataPosition = %1\r\n").arg(reply_.position());
    });
    accountReceived(bytes, false);
}

void TVKCOMControl::pollTcp() {
    if (!tcp_) return;
    const QByteArray bytes = tcp_->takeBuffered();
    if (bytes.isEmpty()) return;
    notify(WM_LINK_RXCOUNT, bytes.size());
    accountReceived(bytes, true);
}

bool TVKCOMControl::WaitReply() {
    pollCount_ = 0;
    const qint64 start = clock_.nowMs();
    while (!reply_.complete() && !timedOut() && !flags_.stopRequested()) {
        pump_.tick();
        if (controlMode_ == cmLAN && !flags_.stopRequested()) pollTcp();
        // A reply cannot come over a line that went away; waiting out the time-out helps nobody.
        if (!reply_.complete() && !GetConnected())
            throw TransportError(QStringLiteral("Connection lost"));
        pollCount_ = static_cast<int>((clock_.nowMs() - start) / kTickMs);
    }
    return !flags_.stopRequested();
}

void TVKCOMControl::WaitTicks(int n) {
    const qint64 start = clock_.nowMs();
    while (!flags_.stopRequested() && clock_.nowMs() - start < qint64{n} * kTickMs) pump_.tick();
}

Frame TVKCOMControl::receivedHeader() const {
    return reply_.header();
}

void TVKCOMControl::logFrame(const QString& label, const Frame& frame, int number) {
    notifyTraffic(WM_LINK_FRAMELOG, [&] { return FormatFrameLog(label, frame, number); });
}

TVKCOMControl::Outcome TVKCOMControl::exchange(const quint8* bytes, int count, ReplyKind kind,
                                               const std::function<void()>& afterSend) {
    resetReceiveState(kind);
    SendBytes(bytes, count);
    if (afterSend) afterSend();
    if (!WaitReply()) return Outcome::Stopped;
    return reply_.complete() ? Outcome::Reply : Outcome::TimedOut;
}

CommandResult TVKCOMControl::Transact(const Frame& frame) {
    return transactWith(frame, {});
}

CommandResult TVKCOMControl::Poll(const CommandRequest& request) {
    timeoutTicks_ = kPollTimeoutTicks;
    polling_ = true;
    pump_.holdUserInput(true);
    const CommandResult result = transactWith(
        BuildFrame(request.group, request.code, request.p1, request.p2, request.p3, request.p4),
        {.attempts = 1});
    pump_.holdUserInput(false);
    polling_ = false;
    timeoutTicks_ = kReplyTimeoutTicks;
    return result;
}

Attempted TVKCOMControl::retry(const RetryPolicy& policy, const RetriedExchange& tried) {
    for (int attempt = 1; attempt <= policy.attempts; ++attempt) {
        const Outcome outcome = exchange(tried.bytes, tried.count, tried.replyKind, [&] {
            if (tried.afterSend) tried.afterSend(attempt);
        });
        if (outcome == Outcome::Stopped) return Attempted::Stopped;
        if (outcome == Outcome::TimedOut) {
            if (attempt < policy.attempts) continue;
            return Attempted::TimedOut;
        }
        const ReplyVerdict verdict = tried.judge(attempt);
        if (verdict == ReplyVerdict::Accept) return Attempted::Accepted;
        if (verdict == ReplyVerdict::Abandon) return Attempted::Abandoned;
        if (attempt < policy.attempts || policy.pauseAfterLast) pauseAfterReply(policy);
    }
    return Attempted::Rejected;
}

void TVKCOMControl::pauseAfterReply(const RetryPolicy& policy) {
    if (policy.pause == RetryPolicy::Pause::Sleep) {
        clock_.sleepMs(policy.pauseMs);
    } else {
        WaitTicks((policy.pauseMs + kTickMs - 1) / kTickMs);
    }
}

bool TVKCOMControl::settle(CommandResult& result, Attempted end) {
    switch (end) {
        case Attempted::Accepted:
            return true;
        case Attempted::Stopped:
            result.ok = 0;
            break;
        case Attempted::TimedOut:
            fail(result, FailureKind::TimedOut);
            break;
        case Attempted::Rejected:
            fail(result, NoReplyKind(result.reply));
            break;
        case Attempted::Abandoned:
            fail(result, FailureKind::InvalidReply);
            break;
    }
    return false;
}

CommandResult TVKCOMControl::transactWith(const Frame& frame, const RetryPolicy& policy) {
    CommandResult result;
    if (flags_.stopRequested()) return result;
    const Frame request = BuildFrame(frame[2], frame[3], Param(frame, 1), Param(frame, 2),
                                     Param(frame, 3), Param(frame, 4));
    const auto logSent = [&](int attempt) {
        if (TrafficTextsWanted())
            logFrame(QStringLiteral("[%1] snd cmd PPP:   ").arg(attempt), request);
    };
    const auto judge = [&](int) {
        replyHeader_ = receivedHeader();
        logFrame(QStringLiteral("rcv cmd PPP:   "), replyHeader_);
        result.reply = replyHeader_;
        if (!ReplyAccepted(replyHeader_, request)) return ReplyVerdict::Retry;
        result.ok = 1;
        return ReplyVerdict::Accept;
    };
    try {
        settle(result, retry(policy, {.bytes = request.data(),
                                      .count = kFrameSize,
                                      .replyKind = ReplyKind::Frame,
                                      .afterSend = logSent,
                                      .judge = judge}));
    } catch (const TransportError&) {
        fail(result, FailureKind::LineLost);
    }
    return result;
}

bool TVKCOMControl::readBlock(Frame& request, int limitBytes, ReadProgress& kept,
                              CommandResult& result, bool& done) {
    const auto judge = [&](int) {
        replyHeader_ = receivedHeader();
        result.reply = replyHeader_;
        const auto block = reply_.bytes().first(kBlockSize);
        const BlockVerdict verdict = JudgeReadBlock(block, request, kept, limitBytes);
        if (verdict == BlockVerdict::OverLimit) return ReplyVerdict::Abandon;
        const bool success = verdict != BlockVerdict::Bad;
        if (success) {
            const auto payload = ReadBlockPayload(block);
            inStream_.append(reinterpret_cast<const char*>(payload.data()),
                             static_cast<qsizetype>(payload.size()));
            kept = {inStream_.size(), kept.blocks + 1};
            result.ok = 1;
            done = verdict == BlockVerdict::Last;
        }
        // The next request acknowledges this block or asks for it again.
        const bool firstBlock = kept.blocks == 0;
        SetParam(request, 1, success ? kAckNext : (firstBlock ? kAckStart : kAckResend));
        SetParam(request, 2, 0);
        Seal(request);
        if (success) return ReplyVerdict::Accept;
        result.ok = 0;
        return ReplyVerdict::Retry;
    };
    const Attempted end = retry({}, {.bytes = request.data(),
                                     .count = kFrameSize,
                                     .replyKind = ReplyKind::DataBlock,
                                     .afterSend = {},
                                     .judge = judge});
    if (!settle(result, end)) return false;
    clock_.sleepMs(kBlockPauseMs);
    return true;
}

CommandResult TVKCOMControl::ReadData(const Frame& frame, int limitBytes) {
    CommandResult result;
    if (flags_.stopRequested()) return result;
    result = Transact(frame);
    if (!result.succeeded()) return result;
    Frame request = BuildFrame(frame[2], frame[3], kAckStart, 0, Param(frame, 3), Param(frame, 4));
    inStream_.clear();
    ReadProgress kept;
    runBlocks(result,
              [&](bool& done) { return readBlock(request, limitBytes, kept, result, done); });
    return result;
}

void TVKCOMControl::runBlocks(CommandResult& result, const std::function<bool(bool& done)>& next) {
    bool done = false;
    try {
        while (!done && !flags_.stopRequested()) {
            if (!next(done)) return;
        }
    } catch (const TransportError&) {
        fail(result, FailureKind::LineLost);
        return;
    }
    // A transfer cut short by the window closing is not a success.
    if (!done) {
        result.ok = 0;
        return;
    }
    notify(WM_LINK_DONE);
}

bool TVKCOMControl::writeBlock(const QByteArray& block, int payloadLength, const Frame& header,
                               CommandResult& result) {
    const auto* bytes = reinterpret_cast<const quint8*>(block.constData());
    const auto logged = std::span(bytes, static_cast<std::size_t>(payloadLength) + 14);
    const auto judge = [&](int) {
        replyHeader_ = receivedHeader();
        result.reply = replyHeader_;
        if (HeaderValid(replyHeader_, header) && replyHeader_[kStatusOffset] == kStatusAccepted) {
            result.ok = 1;
            return ReplyVerdict::Accept;
        }
        result.ok = 0;
        return ReplyVerdict::Retry;
    };
    return settle(result, retry({}, {.bytes = bytes,
                                     .count = kBlockSize,
                                     .replyKind = ReplyKind::Frame,
                                     .afterSend =
                                         [&](int) {
                                             notifyTraffic(WM_LINK_DATALOG, [&] {
                                                 return FormatSentData(sendDataPrefix_, logged);
                                             });
                                         },
                                     .judge = judge}));
}

QByteArray TVKCOMControl::buildWriteBlock(const Frame& command, qsizetype offset) const {
    const qsizetype remaining = outStream_.size() - offset;
    const bool last = remaining <= kMaxPayload;
    const auto length = static_cast<quint16>(last ? remaining : kMaxPayload);
    const Frame header = BuildFrame(command[2], command[3], last ? kStatusLast : kStatusReady,
                                    length, Param(command, 3), Param(command, 4));
    QByteArray block(kBlockSize, '\0');
    std::copy(header.begin(), header.end(), block.begin());
    const QByteArray payload = outStream_.mid(offset, length);
    block[kFrameSize] = static_cast<char>(
        DataChecksum(std::span(reinterpret_cast<const quint8*>(payload.constData()),
                               static_cast<std::size_t>(payload.size()))));
    std::copy(payload.begin(), payload.end(), block.begin() + kFrameSize + 1);
    return block;
}

CommandResult TVKCOMControl::WriteData(const Frame& frame) {
    CommandResult result;
    if (flags_.stopRequested()) return result;
    result = Transact(frame);
    if (!result.succeeded()) return result;
    if (result.reply[kStatusOffset] != kStatusReady) {
        fail(result, FailureKind::InvalidReply);
        return result;
    }
    qsizetype offset = 0;
    runBlocks(result, [&](bool& done) {
        const QByteArray block = buildWriteBlock(frame, offset);
        const Frame header = FrameFrom(std::span(reinterpret_cast<const quint8*>(block.constData()),
                                                 static_cast<std::size_t>(kFrameSize)));
        const int length = Param(header, 2);
        if (!writeBlock(block, length, header, result)) return false;
        offset += length;
        done = offset >= outStream_.size();
        return true;
    });
    return result;
}

bool TVKCOMControl::SearchModules() {
    return modules_.searchModules(udpMode_ == umBROADCAST, deviceIP_);
}

bool TVKCOMControl::SearchModulesBriefly() {
    return modules_.searchModules(true, deviceIP_, true);
}

int TVKCOMControl::ConfigureModule(const lan::ConfigRecord& record) {
    return modules_.configureModule(record, deviceIP_);
}

}  // namespace devlink

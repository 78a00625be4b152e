#include "firmware/FirmwareTransfer.h"

#include <span>

#include "link/LinkLog.h"
#include "link/VKCOMControl.h"

namespace devlink {

namespace {

constexpr RetryPolicy kBlockRetries{
    .attempts = 5, .pauseMs = 50, .pause = RetryPolicy::Pause::Pump, .pauseAfterLast = false};
constexpr int kStagingPauseMs = 300;
constexpr quint16 kStagingSteps[] = {0x0080, 0x0010};
constexpr quint8 kStatusDeclined = 0x44;  // 'D'
constexpr int kReplyLogNumber = 8888;

constexpr int kRebootPauseSteps = 100;
constexpr int kRebootStepTicks = 10;  // 100 ms
constexpr int kProbeAttempts = 10;
constexpr int kProbeTimeoutAttempt = 5;  // a silent fifth probe ends the wait
constexpr int kProbeRetryPauseMs = 5;
constexpr quint8 kRebootRunsGroup = 0x20;
constexpr quint8 kRebootRunsCode = 0x01;

const QString kRebooting = QStringLiteral("System rebooting, please wait ...");
constexpr char kSpinner[] = {'/', '-', '\\', '|'};

// How a part is named in notifications: code and P1, then P3 and P4, one byte each.
qint64 PartWord(const Frame& part) {
    return part[3] * 256 + (Param(part, 1) & 0xFF);
}
qint64 VersionWord(const Frame& part) {
    return (Param(part, 3) & 0xFF) * 256 + (Param(part, 4) & 0xFF);
}

int Percent(qint64 offset, qint64 size) {
    return size == 0 ? 100 : static_cast<int>(offset * 100 / size);
}

// Block number `number` of the part, starting at `offset` of the image.
QByteArray BuildBlock(const Frame& part, const QByteArray& image, qsizetype offset, quint16 number,
                      bool full) {
    const qsizetype remaining = image.size() - offset;
    const bool last = remaining <= kMaxPayload;
    const auto length = static_cast<quint16>(last ? remaining : kMaxPayload);
    const Frame header = BuildFrame(part[2], part[3], last ? kStatusLast : kStatusReady, length,
                                    Param(part, 1), number);
    const auto payload = std::span(reinterpret_cast<const quint8*>(image.constData()) + offset,
                                   static_cast<std::size_t>(length));
    QByteArray block(full ? kBlockSize : kFrameSize + 1 + length, '\0');
    std::copy(header.begin(), header.end(), block.begin());
    block[kFrameSize] = static_cast<char>(DataChecksum(payload));
    std::copy(payload.begin(), payload.end(), block.begin() + kFrameSize + 1);
    return block;
}

Frame HeaderOf(const QByteArray& block) {
    return FrameFrom(std::span(reinterpret_cast<const quint8*>(block.constData()), kFrameSize));
}

}  // namespace

struct FirmwareTransfer::BlockStyle {
    bool fullBlock;        // padded to 270 bytes
    bool attemptInPrefix;  // "[n]send data:" rather than "send data:"
};

void FirmwareTransfer::declined(const Frame& part, CommandResult& result) {
    link_.notify(WM_LINK_PARTREFUSED, PartWord(part), VersionWord(part));
    // The exchange itself worked; the window learns of the refusal from the notification.
    result.ok = 1;
}

bool FirmwareTransfer::proceeds(const Frame& part, CommandResult& result, quint8 expectedStatus) {
    const quint8 status = result.reply[kStatusOffset];
    if (status == kStatusDeclined) {
        declined(part, result);
        return false;
    }
    if (status != expectedStatus) {
        link_.fail(result, FailureKind::InvalidReply);
        return false;
    }
    return true;
}

void FirmwareTransfer::pause(int ms) {
    link_.WaitTicks((ms + kTickMs - 1) / kTickMs);
}

void FirmwareTransfer::requireLine() const {
    if (!link_.replyComplete() && !link_.GetConnected())
        throw TransportError(QStringLiteral("Connection lost"));
}

FirmwareTransfer::PartEnd FirmwareTransfer::sendBlock(const Frame& part, const BlockStyle& style,
                                                      const QByteArray& block,
                                                      CommandResult& result) {
    const Frame header = HeaderOf(block);
    const auto logged = std::span(reinterpret_cast<const quint8*>(block.constData()),
                                  static_cast<std::size_t>(kFrameSize + 1 + Param(header, 2)));
    const auto logSent = [&](int attempt) {
        const QString prefix = style.attemptInPrefix
                                   ? QStringLiteral("[%1]send data:\r\n").arg(attempt)
                                   : QStringLiteral("send data:\r\n");
        link_.notify(WM_LINK_DATALOG, 0, 0, FormatSentData(prefix, logged));
    };
    const auto judge = [&](int) {
        const Frame reply = link_.receivedHeader();
        link_.notify(WM_LINK_FRAMELOG, 0, 0,
                     FormatFrameLog(QStringLiteral("rcv cmd:   "), reply, kReplyLogNumber));
        result.reply = reply;
        const quint8 status = reply[kStatusOffset];
        if (!HeaderValid(reply, header)) {
            result.ok = 0;
        } else if (status == kStatusAccepted) {
            result.ok = 1;
            return ReplyVerdict::Accept;
        } else if (status == kStatusDeclined) {
            // Declining a block does not end its attempts: the switcher may still take it.
            declined(part, result);
        } else {
            result.ok = 0;
        }
        return ReplyVerdict::Retry;
    };
    // Time-outs leave ok as the last reply set it.
    const Attempted end =
        link_.retry(kBlockRetries, {.bytes = reinterpret_cast<const quint8*>(block.constData()),
                                    .count = static_cast<int>(block.size()),
                                    .afterSend = logSent,
                                    .judge = judge});
    // Only a 'D' on the last attempt leaves ok set.
    if (end == Attempted::Rejected && result.ok) return PartEnd::Declined;
    return link_.settle(result, end) ? PartEnd::Done : PartEnd::Failed;
}

bool FirmwareTransfer::opens(const Frame& part, CommandResult& result) {
    if (link_.stopRequested()) return false;
    result = link_.Transact(part);
    return result.succeeded() && proceeds(part, result, kStatusReady);
}

bool FirmwareTransfer::sendBlocks(const Frame& part, const BlockStyle& style,
                                  CommandResult& result) {
    try {
        return sendImage(part, style, result) == PartEnd::Done;
    } catch (const TransportError&) {
        link_.fail(result, FailureKind::LineLost);
        return false;
    }
}

FirmwareTransfer::PartEnd FirmwareTransfer::sendImage(const Frame& part, const BlockStyle& style,
                                                      CommandResult& result) {
    const QByteArray& image = link_.OutStream();
    qsizetype offset = 0;
    quint16 number = 0;
    do {
        // A transfer cut short by the window closing is not a success.
        if (link_.stopRequested()) {
            result.ok = 0;
            return PartEnd::Failed;
        }
        const QByteArray block = BuildBlock(part, image, offset, number, style.fullBlock);
        const PartEnd end = sendBlock(part, style, block, result);
        if (end != PartEnd::Done) return end;
        offset += Param(HeaderOf(block), 2);
        ++number;
        link_.notify(WM_LINK_PROGRESS, PartWord(part), Percent(offset, image.size()));
    } while (offset < image.size());
    return PartEnd::Done;
}

CommandResult FirmwareTransfer::WritePart(const Frame& partFrame) {
    CommandResult result;
    const BlockStyle asLong{.fullBlock = false, .attemptInPrefix = false};
    if (!opens(partFrame, result) || !sendBlocks(partFrame, asLong, result)) return result;
    link_.notify(WM_LINK_DONE);
    return result;
}

CommandResult FirmwareTransfer::WritePartStaged(const Frame& partFrame) {
    CommandResult result;
    if (!opens(partFrame, result)) return result;
    for (const quint16 step : kStagingSteps) {
        pause(kStagingPauseMs);
        result = link_.Transact(BuildFrame(partFrame[2], partFrame[3], step));
        if (!result.succeeded() || !proceeds(partFrame, result, kStatusAccepted)) return result;
    }
    pause(kStagingPauseMs);
    const BlockStyle padded{.fullBlock = true, .attemptInPrefix = true};
    if (!sendBlocks(partFrame, padded, result)) return result;
    link_.notify(WM_LINK_DONE, PartWord(partFrame), VersionWord(partFrame));
    if (partFrame[2] == kRebootRunsGroup && partFrame[3] == kRebootRunsCode) return RebootWait();
    return result;
}

void FirmwareTransfer::showRebooting(int& spinner) {
    link_.notify(WM_LINK_STATUS, 0, 1, kRebooting + QLatin1Char(kSpinner[spinner++ % 4]));
}

// One probe's wait: passes of 100 ms, each turning the spinner, up to the reply time-out.
bool FirmwareTransfer::waitForProbeReply(int& spinner) {
    for (int polled = 0; !link_.replyComplete() && polled < kReplyTimeoutTicks;
         polled += kRebootStepTicks) {
        link_.WaitTicks(kRebootStepTicks);
        if (link_.stopRequested()) return false;
        showRebooting(spinner);
        link_.pollInput();
        requireLine();
    }
    return true;
}

CommandResult FirmwareTransfer::RebootWait() {
    // A stop before the wait starts is no success either: nothing has been seen of the switcher.
    CommandResult result;
    if (link_.stopRequested()) return result;
    int spinner = 0;
    try {
        showRebooting(spinner);
        for (int step = 0; step < kRebootPauseSteps; ++step) {
            link_.WaitTicks(kRebootStepTicks);
            if (link_.stopRequested()) return result;
            requireLine();
            showRebooting(spinner);
        }
        const Frame probe = BuildFrame(0x01, 0x01);
        for (int attempt = 1; attempt <= kProbeAttempts; ++attempt) {
            link_.resetReceiveState(ReplyKind::Frame);
            link_.SendBytes(probe.data(), kFrameSize);
            link_.notify(WM_LINK_FRAMELOG, 0, 0,
                         FormatFrameLog(QStringLiteral("[%1] snd cmd:   ").arg(attempt), probe, 0));
            if (!waitForProbeReply(spinner)) return result;
            if (link_.replyComplete()) {
                result.reply = link_.receivedHeader();
                link_.notify(WM_LINK_FRAMELOG, 0, 0,
                             FormatFrameLog(QStringLiteral("rcv cmd:   "), result.reply, 0));
                if (ReplyAccepted(result.reply, probe)) {
                    link_.notify(WM_LINK_STATUS, 0, 0, QStringLiteral("System reboot ok"));
                    result.ok = 1;
                    return result;
                }
                pause(kProbeRetryPauseMs);
            } else if (attempt == kProbeTimeoutAttempt) {
                link_.fail(result, FailureKind::TimedOut);
                return result;
            }
        }
        link_.notify(WM_LINK_STATUS, 0, 0, QLatin1String(kRebootFailedText));
        result.failure = FailureKind::Refused;
    } catch (const TransportError&) {
        link_.fail(result, FailureKind::LineLost);
    }
    return result;
}

}  // namespace devlink

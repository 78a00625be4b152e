// The LDCD exchange: the module's 32-byte packet through the switcher link.
#include "link/VKCOMControl.h"

namespace devlink {

TVKCOMControl::LdcdAnswer TVKCOMControl::ExchangeLdcd(const lan::LdcdPacket& request) {
    LdcdAnswer answer;
    if (flags_.stopRequested()) return answer;
    answer.packet[lan::kLdcdStatusOffset] = lan::kStatusRequest;
    const lan::LdcdPacket sealed = lan::SealLdcdRequest(request);
    const auto logPacket = [this](const QString& title, const lan::LdcdPacket& packet) {
        if (TrafficTextsWanted()) notify(WM_LINK_FRAMELOG, 0, 0, lan::FormatLdcdLog(title, packet));
    };
    const auto judge = [&](int) {
        const auto received = receivedBytes(lan::kLdcdSize);
        std::copy(received.begin(), received.end(), answer.packet.begin());
        logPacket(QStringLiteral("rcv LDCD:   "), answer.packet);
        answer.ok = lan::LdcdAnswerGood(answer.packet);
        return answer.ok ? ReplyVerdict::Accept : ReplyVerdict::Retry;
    };
    try {
        const Attempted end = retry(
            {}, {.bytes = sealed.data(),
                 .count = lan::kLdcdSize,
                 .replyKind = ReplyKind::ModuleRecord,
                 .afterSend = [&](int) { logPacket(QStringLiteral("send LDCD:   "), sealed); },
                 .judge = judge});
        if (end == Attempted::TimedOut) notify(WM_LINK_TIMEOUT, 0, 0, {}, FailureKind::TimedOut);
        if (end == Attempted::Rejected && !lan::LdcdChecksumRight(answer.packet))
            notify(WM_LINK_NOREPLY, 0, 0, {}, FailureKind::NoReply);
    } catch (const TransportError&) {
        answer.ok = false;
        notify(WM_LINK_ERROR, 0, 0, {}, FailureKind::LineLost);
    }
    return answer;
}

}  // namespace devlink

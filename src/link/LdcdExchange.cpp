// The LDCD exchange: the module's 32-byte packet through the switcher link.
#include "link/VKCOMControl.h"

namespace devlink {
namespace {

constexpr int kLdcdAttempts = 5;
constexpr int kLdcdRetryPauseMs = 5;

}  // namespace

TVKCOMControl::LdcdAnswer TVKCOMControl::ExchangeLdcd(const lan::LdcdPacket& request) {
    LdcdAnswer answer;
    if (flags_.stopRequested()) return answer;
    answer.packet[lan::kLdcdStatusOffset] = lan::kStatusRequest;
    const lan::LdcdPacket sealed = lan::SealLdcdRequest(request);
    const auto logPacket = [this](const QString& title, const lan::LdcdPacket& packet) {
        if (TrafficTextsWanted()) notify(WM_LINK_FRAMELOG, 0, 0, lan::FormatLdcdLog(title, packet));
    };
    try {
        for (int attempt = 1; attempt <= kLdcdAttempts; ++attempt) {
            const Outcome outcome = exchange(sealed.data(), lan::kLdcdSize, kKindModuleRecord, [&] {
                logPacket(QStringLiteral("send LDCD:   "), sealed);
            });
            if (outcome == Outcome::Stopped) return answer;
            if (outcome == Outcome::TimedOut) {
                if (attempt < kLdcdAttempts) continue;
                notify(WM_LINK_TIMEOUT, 0, 0, {}, FailureKind::TimedOut);
                return answer;
            }
            const auto received = receivedBytes(lan::kLdcdSize);
            std::copy(received.begin(), received.end(), answer.packet.begin());
            logPacket(QStringLiteral("rcv LDCD:   "), answer.packet);
            if (lan::LdcdAnswerGood(answer.packet)) {
                answer.ok = true;
                return answer;
            }
            clock_.sleepMs(kLdcdRetryPauseMs);
        }
        if (!lan::LdcdChecksumRight(answer.packet))
            notify(WM_LINK_NOREPLY, 0, 0, {}, FailureKind::NoReply);
    } catch (const TransportError&) {
        answer.ok = false;
        notify(WM_LINK_ERROR, 0, 0, {}, FailureKind::LineLost);
    }
    return answer;
}

}  // namespace devlink

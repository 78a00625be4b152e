#include "FakeDatagramSocket.h"

#include <algorithm>

#include "SimHarness.h"

namespace testing_support {

FakeDatagramSocket::FakeDatagramSocket(VirtualClock& clock) : clock_(clock) {
    network.interfaces = {{"127.0.0.1", "", true, true},
                          {"192.168.1.10", "192.168.1.255", true, false},
                          {"10.0.0.5", "10.0.0.255", true, false}};
    network.hostNameAddress = QStringLiteral("127.0.1.1");
}

void FakeDatagramSocket::bindTo(quint16 port) {
    if (failBind) throw devlink::TransportError(QStringLiteral("Cannot bind UDP port"));
    boundPorts.push_back(port);
}

void FakeDatagramSocket::sendTo(const QByteArray& bytes, const QString& host, quint16 port) {
    if (bytes.isEmpty()) throw devlink::TransportError(QStringLiteral("Invalid buffer"));
    if (host.isEmpty()) throw devlink::TransportError(QStringLiteral("Null Remote Address"));
    const Sent datagram{bytes, host, port, boundPorts.empty() ? quint16{0} : boundPorts.back(),
                        clock_.nowMs()};
    sent.push_back(datagram);
    if (!responder) return;
    for (Reply& reply : responder(datagram))
        arrive(clock_.nowMs() + reply.afterMs, std::move(reply.datagram));
}

void FakeDatagramSocket::arrive(qint64 atMs, devlink::Datagram datagram) {
    const auto later =
        std::upper_bound(pending_.begin(), pending_.end(), atMs,
                         [](qint64 t, const auto& entry) { return t < entry.first; });
    pending_.insert(later, {atMs, std::move(datagram)});
}

void FakeDatagramSocket::deliverDue() {
    while (!pending_.empty() && pending_.front().first <= clock_.nowMs()) {
        const devlink::Datagram datagram = std::move(pending_.front().second);
        pending_.pop_front();
        deliver(datagram);
    }
}

}  // namespace testing_support

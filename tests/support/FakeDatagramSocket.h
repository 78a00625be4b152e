#pragma once

#include <deque>
#include <functional>
#include <vector>

#include "lan/DatagramSocket.h"
#include "transport/TransportError.h"

namespace testing_support {

class VirtualClock;

// The module socket on virtual time: records what the link sends and delivers scripted datagrams
// when the pump reaches their time. The machine is 192.168.1.10 on eth0, 10.0.0.5 on eth1,
// loopback 127.0.0.1, and its host name resolves to 127.0.1.1, unless a test says otherwise.
class FakeDatagramSocket final : public devlink::DatagramSocket {
public:
    struct Sent {
        QByteArray bytes;
        QString host;
        quint16 port = 0;
        quint16 boundPort = 0;
        qint64 atMs = 0;
    };
    // Answers to one sent datagram: the datagrams, and how long after the send they arrive.
    struct Reply {
        qint64 afterMs = 0;
        devlink::Datagram datagram;
    };
    using Responder = std::function<std::vector<Reply>(const Sent&)>;

    explicit FakeDatagramSocket(VirtualClock& clock);

    void bindTo(quint16 port) override;
    void allowBroadcast() override { broadcastAllowed = true; }
    void sendTo(const QByteArray& bytes, const QString& host, quint16 port) override;
    lan::HostNetwork hostNetwork() const override { return network; }

    void arrive(qint64 atMs, devlink::Datagram datagram);
    void deliverDue();

    lan::HostNetwork network;
    Responder responder;
    bool failBind = false;
    bool broadcastAllowed = false;
    std::vector<quint16> boundPorts;
    std::vector<Sent> sent;

private:
    VirtualClock& clock_;
    std::deque<std::pair<qint64, devlink::Datagram>> pending_;
};

}  // namespace testing_support

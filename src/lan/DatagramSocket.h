#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

#include "lan/HostNetwork.h"

namespace devlink {

// One datagram as it arrived on the module socket.
struct Datagram {
    QByteArray bytes;  // at most kMaxDatagram bytes; longer ones arrive cut
    QString fromIp;    // "%d.%d.%d.%d"
    quint16 fromPort = 0;
};

// What the link needs of the module socket: an IPv4 UDP socket, re-bound before every search and
// configuration. Datagrams are delivered on the caller's thread while the event loop runs.
class DatagramSocket {
public:
    using ReceiveHandler = std::function<void(const Datagram&)>;
    static constexpr int kMaxDatagram = 2048;

    virtual ~DatagramSocket() = default;
    // Closes the current socket and binds a new one to 0.0.0.0 and the port. Throws
    // TransportError when the port cannot be had.
    virtual void bindTo(quint16 port) = 0;
    virtual void allowBroadcast() = 0;
    // One datagram to host:port; the host is a dotted address or a name. Throws TransportError
    // "Invalid buffer" for no bytes and "Null Remote Address" when the host resolves to nothing.
    // A datagram the network refuses is lost like any other.
    virtual void sendTo(const QByteArray& bytes, const QString& host, quint16 port) = 0;
    virtual lan::HostNetwork hostNetwork() const = 0;

    void setReceiveHandler(ReceiveHandler handler) { handler_ = std::move(handler); }

protected:
    void deliver(const Datagram& datagram) {
        if (handler_) handler_(datagram);
    }

private:
    ReceiveHandler handler_;
};

}  // namespace devlink

#pragma once

#include <QObject>
#include <QUdpSocket>
#include <memory>

#include "lan/DatagramSocket.h"

namespace lan {

// The module socket on a QUdpSocket, IPv4 only. Other programs may hold the module ports too (a
// simulator on a loopback address, a second controller), so the ports are bound shared.
class UdpDatagramSocket final : public QObject, public devlink::DatagramSocket {
    Q_OBJECT

public:
    explicit UdpDatagramSocket(QObject* parent = nullptr);

    void bindTo(quint16 port) override;
    void allowBroadcast() override;
    void sendTo(const QByteArray& bytes, const QString& host, quint16 port) override;
    HostNetwork hostNetwork() const override;
    // The port bound to; the system's choice after bindTo(0).
    quint16 boundPort() const;

private:
    void onReadyRead();

    // A bind may come from inside the old socket's own notification: it goes later.
    struct DeleteLater {
        void operator()(QUdpSocket* socket) const { socket->deleteLater(); }
    };
    std::unique_ptr<QUdpSocket, DeleteLater> socket_;
};

}  // namespace lan

#pragma once

#include <QObject>
#include <QTcpSocket>

#include "transport/StreamClient.h"

namespace lan {

// The command stream to the Ethernet module. Bytes read from the socket wait in a bounded
// queue of our own until the link takes them in its next tick; beyond its limit they are dropped.
class TcpStreamClient final : public QObject, public devlink::StreamClient {
    Q_OBJECT

public:
    explicit TcpStreamClient(QObject* parent = nullptr);
    ~TcpStreamClient() override;

    void connectTo(const QString& host, quint16 port, int timeoutMs) override;
    void disconnectFromHost() override;
    bool isConnected() const override;
    void discardPending() override;
    void sendAll(const QByteArray& bytes) override;
    QByteArray takeBuffered() override;

private:
    void onReadyRead();
    void onDisconnected();
    // Closes without reporting a loss: the link asked for it.
    void closeQuietly();

    QTcpSocket socket_;
    QByteArray received_;
};

}  // namespace lan

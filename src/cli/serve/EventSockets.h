#pragma once

#include <QHash>
#include <QJsonObject>
#include <QObject>
#include <QWebSocketServer>

class QTcpSocket;
class QWebSocket;

namespace cli::serve {

// The event socket's clients. A client hears the changes once it has had its first message,
// so nothing reaches it before the state it applies to.
class EventSockets final : public QObject {
    Q_OBJECT

public:
    static constexpr int kMaxClients = 64;

    EventSockets();
    ~EventSockets() override;

    bool full() const { return clients_.size() >= kMaxClients; }
    qsizetype count() const { return clients_.size(); }
    // Finishes the handshake still unread in `socket`; joined() follows.
    void accept(QTcpSocket* socket);
    // The client's first message; changes follow from now on.
    void welcome(QWebSocket* client, const QJsonObject& message);
    // To every client that has had its first message.
    void broadcast(const QJsonObject& message);

signals:
    void joined(QWebSocket* client);

private:
    void onNewConnection();

    QWebSocketServer server_;
    QHash<QWebSocket*, bool> clients_;  // value: welcomed
};

}  // namespace cli::serve

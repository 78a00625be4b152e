#include "cli/serve/EventSockets.h"

#include <QJsonDocument>
#include <QTcpSocket>
#include <QWebSocket>

namespace cli::serve {

EventSockets::EventSockets()
    : server_(QStringLiteral("matrixctl"), QWebSocketServer::NonSecureMode) {
    connect(&server_, &QWebSocketServer::newConnection, this, &EventSockets::onNewConnection);
}

EventSockets::~EventSockets() {
    for (QWebSocket* client : clients_.keys()) {
        client->disconnect(this);
        client->close(QWebSocketProtocol::CloseCodeGoingAway);
        delete client;
    }
}

void EventSockets::accept(QTcpSocket* socket) {
    server_.handleConnection(socket);
}

void EventSockets::onNewConnection() {
    while (QWebSocket* client = server_.nextPendingConnection()) {
        if (full()) {
            client->close(QWebSocketProtocol::CloseCodePolicyViolated);
            client->deleteLater();
            continue;
        }
        clients_.insert(client, false);
        connect(client, &QWebSocket::disconnected, this, [this, client] {
            clients_.remove(client);
            client->deleteLater();
        });
        emit joined(client);
    }
}

void EventSockets::welcome(QWebSocket* client, const QJsonObject& message) {
    if (!clients_.contains(client)) return;
    clients_[client] = true;
    client->sendTextMessage(
        QString::fromUtf8(QJsonDocument(message).toJson(QJsonDocument::Compact)));
}

void EventSockets::broadcast(const QJsonObject& message) {
    const QString text = QString::fromUtf8(QJsonDocument(message).toJson(QJsonDocument::Compact));
    for (auto it = clients_.cbegin(); it != clients_.cend(); ++it) {
        if (it.value()) it.key()->sendTextMessage(text);
    }
}

}  // namespace cli::serve

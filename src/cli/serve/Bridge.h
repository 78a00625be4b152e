#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QObject>
#include <QTcpServer>
#include <functional>

#include "cli/program/Outcome.h"
#include "cli/serve/EventSockets.h"
#include "cli/serve/HttpConnection.h"
#include "cli/serve/OperationQueue.h"
#include "cli/serve/StatusCache.h"
#include "cli/serve/http/ApiRequest.h"

namespace core {
class Follower;
class SwitcherState;
}  // namespace core

namespace cli {
class Context;
}

namespace cli::serve {

// The HTTP API and the event socket over one switcher session that the follower keeps
// current. Operations are matrixctl's own commands, so both answer with the same keys.
class Bridge final : public QObject {
public:
    static constexpr int kMaxConnections = 128;

    Bridge(Context& context, core::SwitcherState& state, core::Follower& follower,
           QByteArray token);
    ~Bridge() override;

    bool listen(const QHostAddress& address, quint16 port);
    QString listenError() const { return server_.errorString(); }
    quint16 port() const { return server_.serverPort(); }

private:
    void onNewConnection();
    void onRequest(HttpConnection* connection, const HttpRequest& request);
    void onUpgrade(HttpConnection* connection, const HttpRequest& request);
    void servePage(HttpConnection* connection, const HttpRequest& request);
    void serveApi(HttpConnection* connection, const HttpRequest& request);
    void serveCall(HttpConnection* connection, const ApiCall& call);
    void serveTags(HttpConnection* connection);
    // Runs the command `words` in its turn and answers with its document.
    void enqueue(HttpConnection* connection, const QStringList& words);
    // Credits the follower with what a command set, and keeps the status cache current.
    void afterCommand(const QStringList& words, const Outcome& outcome);
    // The status document to `reply`: at once when the followed state vouches for it, else
    // after a full read in turn.
    void withStatus(std::function<void(const Outcome&)> reply);
    // The switcher is away and the follower is reconnecting.
    Outcome unavailable();
    // The queue is full.
    static Outcome busy();
    HttpResponse responseFor(const Outcome& outcome, const QString& command) const;
    void onChange(const core::StateChange& change);
    void welcome(QWebSocket* client);

    Context& context_;
    core::SwitcherState& state_;
    core::Follower& follower_;
    QByteArray token_;
    QTcpServer server_;
    OperationQueue queue_;
    EventSockets events_;
    StatusCache status_;
};

}  // namespace cli::serve

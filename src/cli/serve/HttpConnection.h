#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTcpSocket>
#include <QTimer>

#include "cli/serve/http/HttpRequest.h"
#include "cli/serve/http/HttpResponse.h"
#include "cli/serve/http/RateLimit.h"

namespace cli::serve {

// One client's TCP connection: reads its requests one at a time (a pipelined one waits for the
// answer to the one before), drops a client that is idle or too slow to send a whole request,
// and answers one that sends too much or too often by itself.
class HttpConnection final : public QObject {
    Q_OBJECT

public:
    static constexpr int kIdleMs = 15000;
    static constexpr int kDrainMs = 1000;
    static constexpr double kRequestsPerSecond = 1000;
    static constexpr double kBurst = 200;

    explicit HttpConnection(QTcpSocket* socket, QObject* parent = nullptr);

    // Answers the request in hand and goes on to the next one.
    void respond(const HttpResponse& response);
    // Hands the socket, with the WebSocket handshake still unread in it, to the caller; this
    // connection then ends.
    QTcpSocket* takeSocket();

signals:
    void requestReceived(cli::serve::HttpConnection* connection,
                         const cli::serve::HttpRequest& request);
    void upgradeRequested(cli::serve::HttpConnection* connection,
                          const cli::serve::HttpRequest& request);

private:
    void readRequests();
    void refuse(int status);

    QTcpSocket* socket_;
    QTimer idle_;
    QElapsedTimer clock_;
    RateLimit rate_{kRequestsPerSecond, kBurst};
    bool answering_ = false;  // a request is in hand
    bool keepAlive_ = true;
    bool draining_ = false;  // refused: the rest is dropped until the connection ends
    qsizetype scanned_ = 0;  // bytes searched for the end of the headers without finding it
};

}  // namespace cli::serve

#include "cli/serve/HttpConnection.h"

#include "cli/program/ExitCode.h"

namespace cli::serve {

namespace {

QString refusalText(int status) {
    switch (status) {
        case 411:
            return QStringLiteral("A request body must come with its Content-Length");
        case 413:
            return QStringLiteral("The request body is larger than %1 bytes").arg(kBodyLimit);
        case 431:
            return QStringLiteral("The request headers are larger than %1 bytes").arg(kHeaderLimit);
        default:
            return QStringLiteral("Not an HTTP/1.1 request");
    }
}

}  // namespace

HttpConnection::HttpConnection(QTcpSocket* socket, QObject* parent)
    : QObject(parent), socket_(socket) {
    socket_->setParent(this);
    // Nothing beyond one whole request is taken in until it is answered.
    socket_->setReadBufferSize(kHeaderLimit + kBodyLimit);
    clock_.start();
    idle_.setSingleShot(true);
    connect(&idle_, &QTimer::timeout, socket_, &QTcpSocket::abort);
    connect(socket_, &QTcpSocket::readyRead, this, &HttpConnection::readRequests);
    connect(socket_, &QTcpSocket::disconnected, this, &QObject::deleteLater);
    idle_.start(kIdleMs);
}

void HttpConnection::readRequests() {
    if (socket_ && draining_) {
        socket_->readAll();
        return;
    }
    while (socket_ && !answering_ && socket_->state() == QAbstractSocket::ConnectedState) {
        const qint64 available = socket_->bytesAvailable();
        if (available == 0) return;
        // Look for the end of the headers in the new bytes only, so a client that sends one
        // byte at a time costs no more than one that sends them all at once.
        if (scanned_ < kHeaderLimit) {
            const QByteArray head = socket_->peek(std::min<qint64>(available, kHeaderLimit));
            const qsizetype from = std::max<qsizetype>(0, scanned_ - 3);
            if (head.indexOf("\r\n\r\n", from) < 0 && head.size() < kHeaderLimit) {
                scanned_ = head.size();
                return;
            }
        }
        const QByteArray bytes =
            socket_->peek(std::min<qint64>(available, kHeaderLimit + kBodyLimit));
        ParseResult result = parseRequest(bytes);
        if (std::holds_alternative<NeedMore>(result)) return;
        if (const auto* malformed = std::get_if<Malformed>(&result)) {
            refuse(malformed->status);
            return;
        }
        Parsed& parsed = std::get<Parsed>(result);
        scanned_ = 0;
        idle_.stop();
        keepAlive_ = parsed.request.keepAlive();
        if (!rate_.take(clock_.elapsed())) {
            socket_->skip(parsed.size);
            answering_ = true;
            HttpResponse tooMany =
                HttpResponse::error(429, kExitCannotConnect, QStringLiteral("Too many requests"));
            tooMany.addHeader("Retry-After", "1");
            respond(tooMany);
            continue;
        }
        if (parsed.request.wantsWebSocket()) {
            // Refused, it is answered and the connection closed; taken, the socket moves on.
            answering_ = true;
            keepAlive_ = false;
            emit upgradeRequested(this, parsed.request);
            return;
        }
        socket_->skip(parsed.size);
        answering_ = true;
        emit requestReceived(this, parsed.request);
    }
}

void HttpConnection::respond(const HttpResponse& response) {
    if (!answering_ || !socket_) return;
    answering_ = false;
    socket_->write(response.bytes(keepAlive_));
    if (!keepAlive_) {
        socket_->disconnectFromHost();
        return;
    }
    idle_.start(kIdleMs);
    // The next request may already be here; read it after this answer's caller is done.
    QMetaObject::invokeMethod(this, &HttpConnection::readRequests, Qt::QueuedConnection);
}

void HttpConnection::refuse(int status) {
    socket_->write(HttpResponse::error(status, kExitUsage, refusalText(status)).bytes(false));
    // Closed with the rest of the request unread, the connection would be reset and the client
    // might lose the answer: what still comes is read and dropped for a moment first.
    draining_ = true;
    socket_->readAll();
    idle_.start(kDrainMs);
}

QTcpSocket* HttpConnection::takeSocket() {
    QTcpSocket* socket = std::exchange(socket_, nullptr);
    socket->disconnect(this);
    idle_.stop();
    socket->setParent(nullptr);
    socket->setReadBufferSize(0);
    deleteLater();
    return socket;
}

}  // namespace cli::serve

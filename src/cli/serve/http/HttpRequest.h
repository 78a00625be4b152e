#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QPair>
#include <variant>

// HTTP/1.1 requests as the bridge takes them: a request line, headers and a body of
// Content-Length bytes; nothing chunked. A plain function over the bytes received so far.
namespace cli::serve {

constexpr qsizetype kHeaderLimit = 16 * 1024;
constexpr qsizetype kBodyLimit = 64 * 1024;

struct HttpRequest {
    QByteArray method;
    QByteArray path;   // without the query
    QByteArray query;  // after '?', still percent-encoded
    QByteArray version;
    QList<QPair<QByteArray, QByteArray>> headers;  // names in lower case
    QByteArray body;

    // The first header of that (lower-case) name; empty when there is none.
    QByteArray header(QByteArrayView name) const;
    bool hasHeader(QByteArrayView name) const;
    // HTTP/1.1 unless "Connection: close"; HTTP/1.0 only with "Connection: keep-alive".
    bool keepAlive() const;
    // A WebSocket handshake: GET with "Upgrade: websocket".
    bool wantsWebSocket() const;
};

// More bytes are needed; `total` is the request's whole size once the headers are known.
struct NeedMore {
    qsizetype total = 0;
};
struct Parsed {
    HttpRequest request;
    qsizetype size = 0;  // bytes the request took, the next one starts after them
};
// A request that cannot be served: the status to answer before closing.
struct Malformed {
    int status = 400;
};

using ParseResult = std::variant<NeedMore, Parsed, Malformed>;

// Reads the request at the start of `bytes`.
ParseResult parseRequest(QByteArrayView bytes);

}  // namespace cli::serve

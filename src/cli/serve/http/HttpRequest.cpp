#include "cli/serve/http/HttpRequest.h"

#include <algorithm>

namespace cli::serve {

namespace {

constexpr QByteArrayView kHeaderEnd = "\r\n\r\n";

bool isToken(QByteArrayView text) {
    if (text.isEmpty()) return false;
    return std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               QByteArrayView("!#$%&'*+-.^_`|~").contains(c);
    });
}

bool hasControl(QByteArrayView text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return (byte < 0x20 && c != '\t') || byte == 0x7F;
    });
}

// "METHOD /path?query HTTP/1.x"; false when it is not one.
bool readRequestLine(QByteArrayView line, HttpRequest& request) {
    const qsizetype first = line.indexOf(' ');
    const qsizetype last = line.lastIndexOf(' ');
    if (first <= 0 || last <= first) return false;
    request.method = line.first(first).toByteArray();
    const QByteArrayView target = line.sliced(first + 1, last - first - 1);
    request.version = line.sliced(last + 1).toByteArray();
    if (!isToken(request.method) || !target.startsWith('/') || target.contains(' ') ||
        hasControl(target))
        return false;
    if (request.version != "HTTP/1.1" && request.version != "HTTP/1.0") return false;
    const qsizetype question = target.indexOf('?');
    request.path = (question < 0 ? target : target.first(question)).toByteArray();
    if (question >= 0) request.query = target.sliced(question + 1).toByteArray();
    return true;
}

bool readHeader(QByteArrayView line, HttpRequest& request) {
    const qsizetype colon = line.indexOf(':');
    if (colon <= 0) return false;
    const QByteArrayView name = line.first(colon);
    const QByteArrayView value = line.sliced(colon + 1).trimmed();
    if (!isToken(name) || hasControl(value)) return false;
    request.headers.append(qMakePair(name.toByteArray().toLower(), value.toByteArray()));
    return true;
}

// The body's length, or the status that refuses the request.
std::variant<qsizetype, Malformed> bodyLength(const HttpRequest& request) {
    // Chunked uploads are not taken: a request body must say its length.
    if (request.hasHeader("transfer-encoding")) return Malformed{411};
    if (!request.hasHeader("content-length")) return qsizetype(0);
    const QByteArray text = request.header("content-length");
    bool ok = false;
    const qlonglong length = text.toLongLong(&ok);
    const bool digits =
        std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (text.isEmpty() || !digits || text.size() > 18 || !ok) return Malformed{400};
    for (const auto& [name, value] : request.headers) {
        if (name == "content-length" && value != text) return Malformed{400};
    }
    if (length > kBodyLimit) return Malformed{413};
    return qsizetype(length);
}

}  // namespace

QByteArray HttpRequest::header(QByteArrayView name) const {
    for (const auto& [key, value] : headers) {
        if (key == name) return value;
    }
    return {};
}

bool HttpRequest::hasHeader(QByteArrayView name) const {
    return std::any_of(headers.begin(), headers.end(),
                       [name](const auto& header) { return header.first == name; });
}

bool HttpRequest::keepAlive() const {
    const QByteArray connection = header("connection").toLower();
    if (version == "HTTP/1.0") return connection.contains("keep-alive");
    return !connection.contains("close");
}

bool HttpRequest::wantsWebSocket() const {
    return method == "GET" && header("upgrade").toLower() == "websocket";
}

ParseResult parseRequest(QByteArrayView bytes) {
    const qsizetype end = bytes.first(std::min(bytes.size(), kHeaderLimit)).indexOf(kHeaderEnd);
    if (end < 0) {
        if (bytes.size() >= kHeaderLimit) return Malformed{431};
        return NeedMore{};
    }
    HttpRequest request;
    const QByteArrayView head = bytes.first(end);
    qsizetype from = 0;
    bool first = true;
    while (from <= head.size()) {
        qsizetype eol = head.indexOf("\r\n", from);
        if (eol < 0) eol = head.size();
        const QByteArrayView line = head.sliced(from, eol - from);
        const bool ok = first ? readRequestLine(line, request) : readHeader(line, request);
        if (!ok) return Malformed{400};
        first = false;
        from = eol + 2;
    }
    if (request.version == "HTTP/1.1" && !request.hasHeader("host")) return Malformed{400};
    const auto length = bodyLength(request);
    if (const auto* refused = std::get_if<Malformed>(&length)) return *refused;
    const qsizetype total = end + kHeaderEnd.size() + std::get<qsizetype>(length);
    if (bytes.size() < total) return NeedMore{total};
    request.body = bytes.sliced(end + kHeaderEnd.size(), std::get<qsizetype>(length)).toByteArray();
    return Parsed{std::move(request), total};
}

}  // namespace cli::serve

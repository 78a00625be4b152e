#include "cli/serve/http/HttpResponse.h"

#include <QJsonDocument>

#include "cli/program/ExitCode.h"

namespace cli::serve {

namespace {

QByteArray reason(int status) {
    switch (status) {
        case 101:
            return "Switching Protocols";
        case 200:
            return "OK";
        case 400:
            return "Bad Request";
        case 401:
            return "Unauthorized";
        case 403:
            return "Forbidden";
        case 404:
            return "Not Found";
        case 405:
            return "Method Not Allowed";
        case 409:
            return "Conflict";
        case 411:
            return "Length Required";
        case 413:
            return "Content Too Large";
        case 422:
            return "Unprocessable Content";
        case 429:
            return "Too Many Requests";
        case 431:
            return "Request Header Fields Too Large";
        case 502:
            return "Bad Gateway";
        case 503:
            return "Service Unavailable";
        default:
            return "Error";
    }
}

}  // namespace

HttpResponse HttpResponse::json(int status, const QJsonObject& document) {
    HttpResponse response;
    response.status = status;
    response.body = QJsonDocument(document).toJson(QJsonDocument::Compact);
    return response;
}

HttpResponse HttpResponse::error(int status, int exitCode, const QString& text) {
    return json(status, {{QStringLiteral("ok"), false},
                         {QStringLiteral("exitCode"), exitCode},
                         {QStringLiteral("error"), text}});
}

QByteArray HttpResponse::bytes(bool keepAlive) const {
    QByteArray out = "HTTP/1.1 " + QByteArray::number(status) + ' ' + reason(status) + "\r\n";
    out += "Content-Type: " + contentType + "\r\n";
    out += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
    out += "Cache-Control: no-store\r\n";
    for (const auto& [name, value] : headers) out += name + ": " + value + "\r\n";
    if (!keepAlive) out += "Connection: close\r\n";
    return out + "\r\n" + body;
}

int statusForExitCode(int exitCode) {
    switch (exitCode) {
        case kExitDone:
            return 200;
        case kExitRefused:
            return 409;
        case kExitNoReply:
            return 502;
        case kExitCannotConnect:
            return 503;
        case kExitBadFile:
            return 422;
        default:
            return 400;
    }
}

}  // namespace cli::serve

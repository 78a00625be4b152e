#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QPair>

namespace cli::serve {

struct HttpResponse {
    int status = 200;
    QByteArray contentType = "application/json";
    QByteArray body;
    QList<QPair<QByteArray, QByteArray>> headers;  // besides the ones every response has

    static HttpResponse json(int status, const QJsonObject& document);
    // {"ok":false,"exitCode":N,"error":"..."}
    static HttpResponse error(int status, int exitCode, const QString& text);
    void addHeader(const QByteArray& name, const QByteArray& value) {
        headers.append({name, value});
    }
    // The bytes on the wire; `keepAlive` false adds "Connection: close".
    QByteArray bytes(bool keepAlive) const;
};

// The HTTP status for a matrixctl exit status.
int statusForExitCode(int exitCode);

}  // namespace cli::serve

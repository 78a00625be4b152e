#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <variant>

// The API's paths and JSON bodies, turned into the matrixctl command that serves them. A plain
// function: a request it refuses sends nothing to the switcher.
namespace cli::serve {

struct ApiCall {
    enum class Kind {
        Status,   // the status document, from the followed state when it is fresh
        Command,  // `words` run as a matrixctl command
        Tags,     // the port tags of the connection
        Events,   // the event socket
    };
    Kind kind = Kind::Command;
    QStringList words;
    bool changes = false;  // the request changes the switcher: no cross-origin caller
};

struct ApiError {
    int status = 404;
    int exitCode = 64;
    QString text;
    QByteArray allow;  // 405: the methods the path takes
};

// `path` is below "/api/v1/", undecoded.
std::variant<ApiCall, ApiError> readApiRequest(QByteArrayView method, QByteArrayView path,
                                               QByteArrayView body);

}  // namespace cli::serve

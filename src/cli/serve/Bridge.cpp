#include "cli/serve/Bridge.h"

#include <QFile>
#include <QJsonArray>
#include <QPointer>
#include <QWebSocket>

#include "cli/program/Context.h"
#include "cli/program/ExitCode.h"
#include "cli/program/Program.h"
#include "cli/program/Rejection.h"
#include "cli/serve/http/Access.h"
#include "cli/state/ChangeEvents.h"
#include "core/Follower.h"
#include "core/OperatorTexts.h"
#include "core/SwitcherState.h"

namespace cli::serve {

namespace {

constexpr QByteArrayView kApiPrefix = "/api/";
constexpr QByteArrayView kApiV1Prefix = "/api/v1/";

struct PageFile {
    QByteArrayView path;
    const char* resource;
    QByteArrayView type;
};

constexpr PageFile kPageFiles[] = {
    {"/", ":/page/index.html", "text/html; charset=utf-8"},
    {"/app.js", ":/page/app.js", "text/javascript; charset=utf-8"},
    {"/style.css", ":/page/style.css", "text/css; charset=utf-8"},
};

HttpResponse methodNotAllowed(const QByteArray& allow) {
    HttpResponse response =
        HttpResponse::error(405, kExitUsage, QStringLiteral("Method not allowed"));
    response.addHeader("Allow", allow);
    return response;
}

HttpResponse notAuthorized() {
    HttpResponse response = HttpResponse::error(
        401, kExitUsage, QStringLiteral("A valid token is needed: Authorization: Bearer TOKEN"));
    response.addHeader("WWW-Authenticate", "Bearer");
    return response;
}

HttpResponse crossOrigin() {
    return HttpResponse::error(403, kExitUsage,
                               QStringLiteral("Requests from another origin are refused"));
}

QJsonObject stateEvent(const QJsonObject& status) {
    QJsonObject event{{QStringLiteral("event"), QStringLiteral("state")}};
    for (auto it = status.begin(); it != status.end(); ++it) event.insert(it.key(), it.value());
    return event;
}

}  // namespace

Bridge::Bridge(Context& context, core::SwitcherState& state, core::Follower& follower,
               QByteArray token)
    : context_(context),
      state_(state),
      follower_(follower),
      token_(std::move(token)),
      queue_(context.session().guard()) {
    // Every route or power command the switcher accepts is read back and credited to this
    // program, a part of a change that stopped half-way included.
    context_.session().runner().reportWritesTo(&follower_);
    connect(&server_, &QTcpServer::newConnection, this, &Bridge::onNewConnection);
    connect(&state_, &core::SwitcherState::changed, this,
            [this](const core::StateChange& change) { onChange(change); });
    connect(&events_, &EventSockets::joined, this, [this](QWebSocket* client) { welcome(client); });
}

Bridge::~Bridge() {
    context_.session().runner().reportWritesTo(nullptr);
}

bool Bridge::listen(const QHostAddress& address, quint16 port) {
    server_.setMaxPendingConnections(kMaxConnections);
    return server_.listen(address, port);
}

void Bridge::onNewConnection() {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        // Beyond the limit a client is closed at once, before it costs anything more.
        if (findChildren<HttpConnection*>(Qt::FindDirectChildrenOnly).size() >= kMaxConnections) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        auto* connection = new HttpConnection(socket, this);
        connect(connection, &HttpConnection::requestReceived, this, &Bridge::onRequest);
        connect(connection, &HttpConnection::upgradeRequested, this, &Bridge::onUpgrade);
    }
}

void Bridge::onRequest(HttpConnection* connection, const HttpRequest& request) {
    if (request.path.startsWith(kApiPrefix)) {
        serveApi(connection, request);
    } else {
        servePage(connection, request);
    }
}

void Bridge::servePage(HttpConnection* connection, const HttpRequest& request) {
    for (const PageFile& file : kPageFiles) {
        if (request.path != file.path) continue;
        if (request.method != "GET") {
            connection->respond(methodNotAllowed("GET"));
            return;
        }
        QFile resource(QString::fromLatin1(file.resource));
        resource.open(QIODevice::ReadOnly);
        HttpResponse response;
        response.contentType = file.type.toByteArray();
        // The page says what the window and matrixctl say, from the one place that says it.
        response.body = resource.readAll().replace(
            "{{switcher-off}}",
            core::FailureText(devlink::FailureKind::SwitcherOff).toHtmlEscaped().toUtf8());
        // The page loads nothing from elsewhere and may not be framed by another site's page.
        response.addHeader("Content-Security-Policy", "default-src 'self'; frame-ancestors 'none'");
        response.addHeader("X-Content-Type-Options", "nosniff");
        connection->respond(response);
        return;
    }
    connection->respond(HttpResponse::error(404, kExitUsage, QStringLiteral("No such resource")));
}

void Bridge::serveApi(HttpConnection* connection, const HttpRequest& request) {
    if (!carriesToken(request, token_, false)) {
        connection->respond(notAuthorized());
        return;
    }
    if (!request.path.startsWith(kApiV1Prefix)) {
        connection->respond(
            HttpResponse::error(404, kExitUsage, QStringLiteral("No such resource")));
        return;
    }
    const auto read = readApiRequest(
        request.method, QByteArrayView(request.path).sliced(kApiV1Prefix.size()), request.body);
    if (const auto* error = std::get_if<ApiError>(&read)) {
        HttpResponse response = HttpResponse::error(error->status, error->exitCode, error->text);
        if (!error->allow.isEmpty()) response.addHeader("Allow", error->allow);
        connection->respond(response);
        return;
    }
    const ApiCall& call = std::get<ApiCall>(read);
    if (call.changes && !sameOrigin(request)) {
        connection->respond(crossOrigin());
        return;
    }
    serveCall(connection, call);
}

void Bridge::serveCall(HttpConnection* connection, const ApiCall& call) {
    switch (call.kind) {
        case ApiCall::Kind::Events:
            connection->respond(HttpResponse::error(
                400, kExitUsage, QStringLiteral("The event socket takes a WebSocket handshake")));
            return;
        case ApiCall::Kind::Tags:
            serveTags(connection);
            return;
        case ApiCall::Kind::Status:
            withStatus([this, connection = QPointer(connection)](const Outcome& outcome) {
                if (connection) connection->respond(responseFor(outcome, QStringLiteral("status")));
            });
            return;
        case ApiCall::Kind::Command:
            break;
    }
    // The pre-settings come from Settings.ini alone: they need no turn on the link.
    if (call.words.value(1) == QStringLiteral("list")) {
        connection->respond(responseFor(runCommand(context_, call.words), call.words.first()));
        return;
    }
    enqueue(connection, call.words);
}

void Bridge::serveTags(HttpConnection* connection) {
    Outcome outcome;
    try {
        const config::PortTags tags = context_.portTags();
        outcome.json[QStringLiteral("inputs")] =
            QJsonArray::fromStringList(QStringList(tags.inputs.begin(), tags.inputs.end()));
        outcome.json[QStringLiteral("outputs")] =
            QJsonArray::fromStringList(QStringList(tags.outputs.begin(), tags.outputs.end()));
    } catch (const Rejection& rejection) {
        outcome = Outcome::rejected(rejection.exitCode(), rejection.text());
    }
    connection->respond(responseFor(outcome, QStringLiteral("tags")));
}

void Bridge::enqueue(HttpConnection* connection, const QStringList& words) {
    if (follower_.reconnectInMs()) {
        connection->respond(responseFor(unavailable(), words.first()));
        return;
    }
    const bool queued = queue_.submit([this, connection = QPointer(connection), words] {
        const Outcome outcome = runCommand(context_, words);
        context_.session().clearFailure();
        afterCommand(words, outcome);
        if (connection) connection->respond(responseFor(outcome, words.first()));
    });
    if (!queued) connection->respond(responseFor(busy(), words.first()));
}

void Bridge::afterCommand(const QStringList& words, const Outcome& outcome) {
    const QString& name = words.first();
    if (name == QStringLiteral("status") && outcome.exitCode == kExitDone)
        status_.remember(outcome.json);
    if (outcome.exitCode != kExitDone || words.size() < 2) return;
    if (name == QStringLiteral("option") && words.size() == 3)
        status_.setOption(outcome.json.value(QStringLiteral("option")).toString(),
                          outcome.json.value(QStringLiteral("on")).toBool());
}

void Bridge::withStatus(std::function<void(const Outcome&)> reply) {
    if (const std::optional<QJsonObject> composed = status_.compose(state_)) {
        Outcome outcome;
        outcome.json = *composed;
        reply(outcome);
        return;
    }
    if (follower_.reconnectInMs()) {
        reply(unavailable());
        return;
    }
    const QStringList words{QStringLiteral("status")};
    const bool queued = queue_.submit([this, words, reply] {
        const Outcome outcome = runCommand(context_, words);
        context_.session().clearFailure();
        afterCommand(words, outcome);
        reply(outcome);
    });
    if (!queued) reply(busy());
}

Outcome Bridge::unavailable() {
    return Outcome::rejected(
        kExitCannotConnect,
        core::FailureText(devlink::FailureKind::CannotConnect, context_.session().where()));
}

Outcome Bridge::busy() {
    return Outcome::rejected(kExitCannotConnect, core::FailureText(devlink::FailureKind::Busy));
}

HttpResponse Bridge::responseFor(const Outcome& outcome, const QString& command) const {
    HttpResponse response =
        HttpResponse::json(statusForExitCode(outcome.exitCode), outcomeDocument(outcome, command));
    if (outcome.exitCode == kExitCannotConnect) {
        response.addHeader("Retry-After",
                           QByteArray::number(follower_.reconnectInSeconds().value_or(1)));
    }
    return response;
}

void Bridge::onUpgrade(HttpConnection* connection, const HttpRequest& request) {
    if (request.path != "/api/v1/events") {
        connection->respond(
            HttpResponse::error(404, kExitUsage, QStringLiteral("No such resource")));
    } else if (!carriesToken(request, token_, true)) {
        connection->respond(notAuthorized());
    } else if (!sameOrigin(request)) {
        connection->respond(crossOrigin());
    } else if (events_.full()) {
        HttpResponse response = HttpResponse::error(
            503, kExitCannotConnect,
            QStringLiteral("At most %1 event sockets at a time").arg(EventSockets::kMaxClients));
        response.addHeader("Retry-After", "5");
        connection->respond(response);
    } else {
        events_.accept(connection->takeSocket());
    }
}

void Bridge::welcome(QWebSocket* client) {
    withStatus([this, client = QPointer(client)](const Outcome& outcome) {
        if (!client) return;
        events_.welcome(client,
                        outcome.exitCode == kExitDone
                            ? stateEvent(outcome.json)
                            : QJsonObject{{QStringLiteral("event"), QStringLiteral("line")},
                                          {QStringLiteral("state"), QStringLiteral("lost")}});
    });
}

void Bridge::onChange(const core::StateChange& change) {
    events_.broadcast(changeJson(change));
    if (change.kind != core::StateChange::Kind::Line) return;
    status_.forget();
    // The line is back: everything may have changed while it was away.
    if (change.on) {
        withStatus([this](const Outcome& outcome) {
            if (outcome.exitCode == kExitDone) events_.broadcast(stateEvent(outcome.json));
        });
    }
}

}  // namespace cli::serve

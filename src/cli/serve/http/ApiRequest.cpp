#include "cli/serve/http/ApiRequest.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>

#include "cli/program/Arguments.h"
#include "cli/program/ExitCode.h"

namespace cli::serve {

namespace {

using Result = std::variant<ApiCall, ApiError>;

const QStringList kOptionNames{QStringLiteral("ir"), QStringLiteral("keys"), QStringLiteral("apm"),
                               QStringLiteral("beeper")};

ApiError notFound() {
    return {404, kExitUsage, QStringLiteral("No such resource"), {}};
}

ApiError badValue(const QString& text) {
    return {422, kExitBadFile, text, {}};
}

ApiCall command(QStringList words, bool changes = false) {
    return {ApiCall::Kind::Command, std::move(words), changes};
}

// The body's JSON object, or why there is none.
std::variant<QJsonObject, ApiError> bodyObject(QByteArrayView body) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(body.toByteArray(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return ApiError{400, kExitUsage, QStringLiteral("The body must be one JSON object"), {}};
    return document.object();
}

// {"input":N} with N 1 to 6.
std::variant<QString, ApiError> inputOf(QByteArrayView body) {
    auto object = bodyObject(body);
    if (auto* error = std::get_if<ApiError>(&object)) return *error;
    const QJsonValue input = std::get<QJsonObject>(object).value(QStringLiteral("input"));
    const double number = input.toDouble(-1);
    if (!input.isDouble() || number != static_cast<int>(number) || number < 1 ||
        number > kPortCount)
        return badValue(
            QStringLiteral("\"input\" takes a whole number from 1 to %1").arg(kPortCount));
    return QString::number(static_cast<int>(number));
}

// {"on":true|false} as "on" or "off".
std::variant<QString, ApiError> onOf(QByteArrayView body) {
    auto object = bodyObject(body);
    if (auto* error = std::get_if<ApiError>(&object)) return *error;
    const QJsonValue on = std::get<QJsonObject>(object).value(QStringLiteral("on"));
    if (!on.isBool()) return badValue(QStringLiteral("\"on\" takes true or false"));
    return on.toBool() ? QStringLiteral("on") : QStringLiteral("off");
}

// A resource read with GET and, when `put` is given, written with PUT.
template <typename Put>
Result readOrWrite(QByteArrayView method, const QStringList& read, Put put) {
    if (method == "GET") return command(read);
    if (method == "PUT") return put();
    return ApiError{405, kExitUsage, QStringLiteral("Method not allowed"), "GET, PUT"};
}

Result readOnly(QByteArrayView method, ApiCall call) {
    if (method == "GET") return call;
    return ApiError{405, kExitUsage, QStringLiteral("Method not allowed"), "GET"};
}

// Appends the value a body gives to `words`, or passes its error on.
Result withBody(QStringList words, std::variant<QString, ApiError> value) {
    if (auto* error = std::get_if<ApiError>(&value)) return *error;
    words << std::get<QString>(value);
    return command(std::move(words), true);
}

Result routeRequest(QByteArrayView method, const QString& output, QByteArrayView body) {
    bool ok = false;
    const int number = output.toInt(&ok);
    if (output != QStringLiteral("all") &&
        !(ok && number >= 1 && number <= kPortCount && QString::number(number) == output))
        return notFound();
    if (method != "PUT")
        return ApiError{405, kExitUsage, QStringLiteral("Method not allowed"), "PUT"};
    return withBody({QStringLiteral("route"), output}, inputOf(body));
}

}  // namespace

Result readApiRequest(QByteArrayView method, QByteArrayView path, QByteArrayView body) {
    const QStringList parts = QString::fromUtf8(path).split(u'/');
    const QString first = parts.value(0);
    if (parts.size() == 1) {
        if (first == QStringLiteral("status"))
            return readOnly(method, {ApiCall::Kind::Status, {}, false});
        if (first == QStringLiteral("routes"))
            return readOnly(method, command({QStringLiteral("routes")}));
        if (first == QStringLiteral("presets"))
            return readOnly(method, command({QStringLiteral("preset"), QStringLiteral("list")}));
        if (first == QStringLiteral("tags"))
            return readOnly(method, {ApiCall::Kind::Tags, {}, false});
        if (first == QStringLiteral("events"))
            return readOnly(method, {ApiCall::Kind::Events, {}, false});
        if (first == QStringLiteral("power"))
            return readOrWrite(method, {QStringLiteral("power")},
                               [&] { return withBody({QStringLiteral("power")}, onOf(body)); });
    }
    if (parts.size() == 2 && first == QStringLiteral("routes"))
        return routeRequest(method, parts[1], body);
    if (parts.size() == 2 && first == QStringLiteral("options") &&
        kOptionNames.contains(parts[1])) {
        const QStringList read{QStringLiteral("option"), parts[1]};
        return readOrWrite(method, read, [&] { return withBody(read, onOf(body)); });
    }
    if (parts.size() == 3 && first == QStringLiteral("presets") &&
        parts[2] == QStringLiteral("apply") && !parts[1].isEmpty()) {
        if (method != "POST")
            return ApiError{405, kExitUsage, QStringLiteral("Method not allowed"), "POST"};
        const QString preset = QUrl::fromPercentEncoding(parts[1].toUtf8());
        return command({QStringLiteral("preset"), QStringLiteral("apply"), preset}, true);
    }
    return notFound();
}

}  // namespace cli::serve

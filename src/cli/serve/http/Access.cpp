#include "cli/serve/http/Access.h"

#include <QUrl>
#include <QUrlQuery>

namespace cli::serve {

bool sameSecret(QByteArrayView given, QByteArrayView token) {
    unsigned char difference = given.size() == token.size() ? 0 : 1;
    for (qsizetype i = 0; i < given.size(); ++i) {
        const char expected = token.isEmpty() ? '\0' : token[i % token.size()];
        difference |= static_cast<unsigned char>(given[i] ^ expected);
    }
    return difference == 0 && !token.isEmpty();
}

bool carriesToken(const HttpRequest& request, QByteArrayView token, bool queryAllowed) {
    const QByteArray authorization = request.header("authorization");
    constexpr QByteArrayView kBearer = "Bearer ";
    if (authorization.startsWith(kBearer))
        return sameSecret(QByteArrayView(authorization).sliced(kBearer.size()), token);
    if (!queryAllowed || request.query.isEmpty()) return false;
    const QUrlQuery query(QString::fromLatin1(request.query));
    if (!query.hasQueryItem(QStringLiteral("token"))) return false;
    return sameSecret(query.queryItemValue(QStringLiteral("token"), QUrl::FullyDecoded).toUtf8(),
                      token);
}

bool sameOrigin(const HttpRequest& request) {
    if (!request.hasHeader("origin")) return true;
    const QUrl origin(QString::fromLatin1(request.header("origin")));
    if (!origin.isValid() || origin.host().isEmpty()) return false;
    const int defaultPort = origin.scheme() == QStringLiteral("https") ? 443 : 80;
    const QString originHost =
        QStringLiteral("%1:%2").arg(origin.host()).arg(origin.port(defaultPort));
    const QUrl host(QStringLiteral("http://") + QString::fromLatin1(request.header("host")));
    if (!host.isValid() || host.host().isEmpty()) return false;
    return originHost.compare(QStringLiteral("%1:%2").arg(host.host()).arg(host.port(80)),
                              Qt::CaseInsensitive) == 0;
}

}  // namespace cli::serve

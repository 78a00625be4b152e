#include <unistd.h>

#include <QNetworkInterface>
#include <QTextStream>

#include "cli/commands/Handlers.h"
#include "cli/program/ExitCode.h"
#include "cli/program/Rejection.h"
#include "cli/serve/Bridge.h"
#include "cli/serve/TerminalQr.h"
#include "cli/serve/TokenFile.h"
#include "cli/state/FollowUntilSignalled.h"
#include "core/Follower.h"

namespace cli {

namespace {

const QString kDefaultListen = QStringLiteral("127.0.0.1:8787");

struct ListenAddress {
    QHostAddress host;
    quint16 port = 0;
};

// "ADDRESS:PORT", an IPv6 address in brackets; port 0 takes any free one.
ListenAddress listenAddress(const QString& text) {
    const qsizetype colon = text.lastIndexOf(u':');
    QString host = text.left(colon);
    if (host.startsWith(u'[') && host.endsWith(u']')) host = host.mid(1, host.size() - 2);
    bool ok = false;
    const uint port = text.mid(colon + 1).toUInt(&ok);
    ListenAddress address{QHostAddress(host), static_cast<quint16>(port)};
    if (colon < 0 || !ok || port > 0xFFFF || address.host.isNull())
        throw Rejection(kExitUsage,
                        QStringLiteral("--listen takes ADDRESS:PORT, not \"%1\"").arg(text));
    return address;
}

// Where a phone on the network reaches a bridge that listens on every address.
QString reachableHost(const QHostAddress& listening) {
    if (listening != QHostAddress::AnyIPv4 && listening != QHostAddress::Any &&
        listening != QHostAddress::AnyIPv6)
        return listening.protocol() == QAbstractSocket::IPv6Protocol
                   ? QStringLiteral("[%1]").arg(listening.toString())
                   : listening.toString();
    for (const QHostAddress& address : QNetworkInterface::allAddresses()) {
        if (!address.isLoopback() && address.protocol() == QAbstractSocket::IPv4Protocol)
            return address.toString();
    }
    return listening.toString();
}

}  // namespace

Outcome runServe(Context& context, const QStringList& args) {
    requireCount(args, 0, QStringLiteral("serve [--listen ADDRESS:PORT] [--token-file FILE]"));
    const Invocation& invocation = context.invocation();
    const ListenAddress listen =
        listenAddress(invocation.listen.isEmpty() ? kDefaultListen : invocation.listen);
    const QByteArray token = serve::loadOrCreateToken(
        invocation.tokenFile.isEmpty() ? serve::defaultTokenPath() : invocation.tokenFile);
    core::Connection& connection = context.session();
    core::SwitcherState state;
    core::Follower follower(connection.link(), connection.guard(), connection.clock(), state);
    serve::Bridge bridge(context, state, follower, token);
    if (!bridge.listen(listen.host, listen.port))
        throw Rejection(kExitCannotConnect, QStringLiteral("Cannot listen on %1:%2: %3")
                                                .arg(listen.host.toString())
                                                .arg(listen.port)
                                                .arg(bridge.listenError()));
    const QString page =
        QStringLiteral("http://%1:%2/").arg(reachableHost(listen.host)).arg(bridge.port());
    QTextStream& out = context.live();
    out << QStringLiteral("Listening on %1\n").arg(page);
    // Off this machine the page needs the token; the address carries it for the first visit.
    if (!listen.host.isLoopback()) {
        const QString pageWithToken =
            QStringLiteral("%1#token=%2").arg(page, QString::fromLatin1(token));
        out << QStringLiteral("Page: %1\n").arg(pageWithToken);
        // For the phone's camera, where someone looks at the terminal.
        if (::isatty(STDOUT_FILENO)) out << serve::terminalQrCode(pageWithToken.toUtf8());
    }
    out.flush();
    return followUntilSignalled(connection, follower);
}

}  // namespace cli

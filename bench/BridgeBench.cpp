// Times matrixctl serve against the simulator program on loopback: status requests from eight
// keep-alive clients, a route change over HTTP against the same change over the link alone
// (wire time on), the delay from a change to the event socket, and the memory of idle sockets.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <QWebSocket>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <memory>
#include <thread>
#include <vector>

#include "BenchSupport.h"
#include "core/Connection.h"

namespace {

constexpr const char* kToken = "bench-token";
constexpr int kClients = 8;
constexpr int kStatusSeconds = 3;
constexpr int kRoutes = 30;
constexpr int kPushes = 40;
// The bridge takes at most 64 event sockets; the figure is scaled to 100.
constexpr int kIdleSockets = 64;

// The simulator on a terminal and matrixctl serve on it.
struct Bridge {
    QTemporaryDir dir;
    QProcess sim;
    QProcess serve;
    quint16 port = 0;

    explicit Bridge(const QStringList& simArgs) {
        const QString pty = StartAndMatch(sim, QStringLiteral(MATRIX_SIM_PATH),
                                          QStringList{QStringLiteral("--quiet")} + simArgs,
                                          QStringLiteral("PTY (\\S+)"));
        QFile token(dir.filePath(QStringLiteral("token")));
        if (pty.isEmpty() || !token.open(QIODevice::WriteOnly)) return;
        token.write(kToken);
        token.close();
        port = static_cast<quint16>(
            StartAndMatch(serve, QStringLiteral(MATRIXCTL_PATH),
                          {QStringLiteral("--serial"), pty, QStringLiteral("--settings"),
                           dir.filePath(QStringLiteral("none.ini")), QStringLiteral("serve"),
                           QStringLiteral("--listen"), QStringLiteral("127.0.0.1:0"),
                           QStringLiteral("--token-file"), token.fileName()},
                          QStringLiteral("Listening on http://127.0.0.1:(\\d+)/"))
                .toUInt());
    }
    ~Bridge() {
        serve.terminate();
        serve.waitForFinished(5000);
        sim.kill();
        sim.waitForFinished(5000);
    }
    double rssMib() const {
        QFile status(QStringLiteral("/proc/%1/status").arg(serve.processId()));
        if (!status.open(QIODevice::ReadOnly)) return 0;
        const QRegularExpression rss(QStringLiteral("VmRSS:\\s+(\\d+) kB"));
        return rss.match(QString::fromLatin1(status.readAll())).captured(1).toDouble() / 1024;
    }
};

// One request and its reply on a keep-alive connection; the HTTP status, 0 on failure.
int Exchange(QTcpSocket& socket, const QByteArray& method, const QByteArray& path,
             const QByteArray& body = {}) {
    socket.write(method + ' ' + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\nAuthorization: Bearer " +
                 kToken + "\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" +
                 body);
    QByteArray in;
    qsizetype end = -1;
    while ((end = in.indexOf("\r\n\r\n")) < 0) {
        if (!socket.waitForReadyRead(10000)) return 0;
        in += socket.readAll();
    }
    const QRegularExpression length(QStringLiteral("Content-Length: (\\d+)"));
    const qsizetype total =
        end + 4 + length.match(QString::fromLatin1(in.left(end))).captured(1).toLongLong();
    while (in.size() < total) {
        if (!socket.waitForReadyRead(10000)) return 0;
        in += socket.readAll();
    }
    return in.mid(9, 3).toInt();
}

bool Connect(QTcpSocket& socket, quint16 port) {
    socket.connectToHost(QStringLiteral("127.0.0.1"), port);
    return socket.waitForConnected(5000);
}

// Until the bridge has the switcher's state: it answers 503 while it opens the line.
bool WaitForState(quint16 port) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 10000) {
        QTcpSocket socket;
        if (Connect(socket, port) && Exchange(socket, "GET", "/api/v1/status") == 200) return true;
        QThread::msleep(50);
    }
    return false;
}

void MeasureStatus(const Bridge& bridge) {
    std::atomic<long> answered{0};
    std::atomic<long> limited{0};
    std::atomic<bool> failed{false};
    std::vector<std::thread> clients;
    for (int i = 0; i < kClients; ++i) {
        clients.emplace_back([&] {
            QTcpSocket socket;
            if (!Connect(socket, bridge.port)) failed = true;
            QElapsedTimer timer;
            timer.start();
            while (!failed && timer.elapsed() < kStatusSeconds * 1000) {
                // A burst beyond a connection's rate is answered 429; those are not counted.
                const int status = Exchange(socket, "GET", "/api/v1/status");
                if (status == 200) ++answered;
                if (status == 429) ++limited;
                if (status != 200 && status != 429) failed = true;
            }
        });
    }
    for (std::thread& client : clients) client.join();
    std::printf("bridge_status: requests_per_s=%.0f clients=%d rate_limited=%ld%s\n",
                static_cast<double>(answered) / kStatusSeconds, kClients, long(limited),
                failed ? " (FAILED)" : "");
}

QByteArray RouteBody(int i) {
    return QStringLiteral(R"({"input":%1})").arg((i + 2) % 6 + 1).toUtf8();
}

// The mean of kRoutes route changes over HTTP, in ms; 0 on failure.
double HttpRoutesMs(const Bridge& bridge) {
    QTcpSocket socket;
    if (!Connect(socket, bridge.port)) return 0;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < kRoutes; ++i) {
        const QByteArray path = "/api/v1/routes/" + QByteArray::number(i % 6 + 1);
        if (Exchange(socket, "PUT", path, RouteBody(i)) != 200) return 0;
    }
    return static_cast<double>(timer.nsecsElapsed()) / 1e6 / kRoutes;
}

// The same changes through the link of a connection of this program's own.
double LinkRoutesMs() {
    QProcess sim;
    const QString pty = StartAndMatch(sim, QStringLiteral(MATRIX_SIM_PATH),
                                      {QStringLiteral("--quiet"), QStringLiteral("--wire-time")},
                                      QStringLiteral("PTY (\\S+)"));
    core::Connection connection(core::Target{core::Target::Kind::Serial, pty});
    if (pty.isEmpty() || !connection.readPower()) return 0;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < kRoutes; ++i) {
        const auto request =
            devlink::MakeCommand(devlink::Command::SetRoute, static_cast<quint16>((i + 2) % 6 + 1),
                                 static_cast<quint16>(i % 6 + 1));
        if (!connection.run(request).succeeded()) return 0;
    }
    const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6 / kRoutes;
    sim.kill();
    sim.waitForFinished(5000);
    return ms;
}

QUrl EventsUrl(quint16 port) {
    return QUrl(QStringLiteral("ws://127.0.0.1:%1/api/v1/events?token=%2")
                    .arg(port)
                    .arg(QLatin1String(kToken)));
}

// From the route change's reply to its event on a socket client, the 95th percentile in ms.
void MeasurePush(const Bridge& bridge) {
    QWebSocket client;
    int events = 0;
    QObject::connect(&client, &QWebSocket::textMessageReceived,
                     [&](const QString& text) { events += text.contains(QLatin1String("route")); });
    client.open(EventsUrl(bridge.port));
    QTcpSocket socket;
    bool ok = WaitUntil([&] { return client.state() == QAbstractSocket::ConnectedState; }, 10000) &&
              Connect(socket, bridge.port);
    std::vector<double> delays;
    for (int i = 0; ok && i < kPushes; ++i) {
        const int before = events;
        ok = Exchange(socket, "PUT", "/api/v1/routes/1", RouteBody(i)) == 200;
        QElapsedTimer timer;
        timer.start();
        ok = ok && WaitUntil([&] { return events > before; }, 5000);
        delays.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(delays.begin(), delays.end());
    const double p95 = delays.empty() ? 0 : delays[delays.size() * 95 / 100 - 1];
    std::printf("bridge_push: p95_ms=%.2f changes=%d%s\n", p95, kPushes, ok ? "" : " (FAILED)");
}

void MeasureIdleSockets(const Bridge& bridge) {
    const double before = bridge.rssMib();
    std::vector<std::unique_ptr<QWebSocket>> clients;
    for (int i = 0; i < kIdleSockets; ++i) {
        clients.push_back(std::make_unique<QWebSocket>());
        clients.back()->open(EventsUrl(bridge.port));
    }
    const bool ok = WaitUntil(
        [&] {
            return std::all_of(clients.begin(), clients.end(), [](const auto& client) {
                return client->state() == QAbstractSocket::ConnectedState;
            });
        },
        20000);
    WaitUntil([] { return false; }, 500);
    std::printf("bridge_idle_sockets: rss_mib_per_100=%.2f%s\n",
                (bridge.rssMib() - before) * 100 / kIdleSockets, ok ? "" : " (FAILED)");
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    {
        const Bridge bridge({});
        if (bridge.port == 0 || !WaitForState(bridge.port)) {
            std::fprintf(stderr, "matrix-sim or matrixctl serve did not start\n");
            return 1;
        }
        MeasureStatus(bridge);
        MeasurePush(bridge);
    }
    {
        const Bridge bridge({});
        WaitForState(bridge.port);
        MeasureIdleSockets(bridge);
    }
    const Bridge wired({QStringLiteral("--wire-time")});
    WaitForState(wired.port);
    const double http = HttpRoutesMs(wired);
    const double link = LinkRoutesMs();
    std::printf("bridge_route: ratio=%.3f http_ms=%.2f link_ms=%.2f%s\n",
                link > 0 ? http / link : 0, http, link, http > 0 && link > 0 ? "" : " (FAILED)");
    return 0;
}

#include "ServeHarness.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QThread>

namespace servetest {

namespace {

constexpr int kWaitMs = 20000;

}  // namespace

ServeProcess::ServeProcess(const ctltest::CtlHarness& harness) {
    const QString tokenFile = harness.filePath(QStringLiteral("token"));
    QFile file(tokenFile);
    if (file.open(QIODevice::WriteOnly)) file.write(QByteArray(kToken) + '\n');
    file.close();
    process_.start(
        QStringLiteral(MATRIXCTL_PATH),
        harness.targetArgs() + QStringList{QStringLiteral("--settings"), harness.settingsPath(),
                                           QStringLiteral("serve"), QStringLiteral("--listen"),
                                           QStringLiteral("127.0.0.1:0"),
                                           QStringLiteral("--token-file"), tokenFile});
    const QRegularExpression listening(QStringLiteral("Listening on http://127.0.0.1:(\\d+)/"));
    QByteArray out;
    const QDeadlineTimer deadline(kWaitMs);
    while (!deadline.hasExpired() && process_.waitForReadyRead(100)) {
        out += process_.readAllStandardOutput();
        const QRegularExpressionMatch match = listening.match(QString::fromUtf8(out));
        if (match.hasMatch()) {
            port_ = static_cast<quint16>(match.captured(1).toUInt());
            break;
        }
    }
    // The first request may otherwise find the follower still opening the line.
    const QDeadlineTimer up(kWaitMs);
    while (started() && !up.hasExpired() && request("GET", "/api/v1/status").status != 200) {
        QThread::msleep(50);
    }
}

ServeProcess::~ServeProcess() {
    process_.kill();
    process_.waitForFinished(kWaitMs);
}

Reply ServeProcess::request(const QByteArray& method, const QByteArray& path,
                            const QByteArray& body, const QByteArray& headers) const {
    QTcpSocket socket;
    socket.connectToHost(QStringLiteral("127.0.0.1"), port_);
    if (!socket.waitForConnected(kWaitMs)) return {};
    socket.write(requestBytes(method, path, body, headers));
    QByteArray in;
    while (socket.waitForReadyRead(kWaitMs)) in += socket.readAll();
    return readReply(in + socket.readAll());
}

QByteArray requestBytes(const QByteArray& method, const QByteArray& path, const QByteArray& body,
                        const QByteArray& headers) {
    QByteArray bytes =
        method + ' ' + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n";
    if (!body.isEmpty()) bytes += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
    return bytes + headers + "\r\n" + body;
}

Reply readReply(QByteArray bytes) {
    Reply reply;
    const qsizetype end = bytes.indexOf("\r\n\r\n");
    reply.head = bytes.left(end);
    reply.status = bytes.mid(9, 3).toInt();
    reply.body = bytes.mid(end + 4);
    reply.json = QJsonDocument::fromJson(reply.body).object();
    return reply;
}

}  // namespace servetest

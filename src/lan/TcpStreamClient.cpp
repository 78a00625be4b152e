#include "lan/TcpStreamClient.h"

#include <QEventLoop>
#include <QHostAddress>
#include <QSignalBlocker>
#include <QTimer>

namespace lan {
namespace {

constexpr qint64 kDiscardLimit = 65536;

}  // namespace

TcpStreamClient::TcpStreamClient(QObject* parent) : QObject(parent) {
    connect(&socket_, &QTcpSocket::readyRead, this, &TcpStreamClient::onReadyRead);
    connect(&socket_, &QTcpSocket::disconnected, this, &TcpStreamClient::onDisconnected);
}

TcpStreamClient::~TcpStreamClient() {
    closeQuietly();
}

void TcpStreamClient::connectTo(const QString& host, quint16 port, int timeoutMs) {
    if (isConnected()) throw devlink::TransportError(QStringLiteral("Already connected"));
    QHostAddress address;
    // 0.0.0.0 means no device chosen; the system would quietly take it for this machine.
    if (!address.setAddress(host) || address.protocol() != QAbstractSocket::IPv4Protocol ||
        address == QHostAddress(QHostAddress::AnyIPv4)) {
        throw devlink::TransportError(QStringLiteral("Null Remote Address"));
    }
    received_.clear();
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    connect(&socket_, &QTcpSocket::connected, &loop, &QEventLoop::quit);
    connect(&socket_, &QTcpSocket::errorOccurred, &loop, &QEventLoop::quit);
    connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    socket_.connectToHost(address, port);
    if (timeoutMs > 0) deadline.start(timeoutMs);
    // The window keeps handling events while the connection is made.
    if (socket_.state() != QAbstractSocket::ConnectedState &&
        socket_.state() != QAbstractSocket::UnconnectedState) {
        loop.exec();
    }
    if (isConnected()) return;
    const bool timedOut = timeoutMs > 0 && !deadline.isActive();
    closeQuietly();
    throw devlink::TransportError(timedOut ? QStringLiteral("Connection Timed out")
                                           : QStringLiteral("Connection Failed"));
}

void TcpStreamClient::disconnectFromHost() {
    closeQuietly();
    received_.clear();
}

void TcpStreamClient::closeQuietly() {
    const QSignalBlocker quiet(socket_);
    socket_.abort();
}

bool TcpStreamClient::isConnected() const {
    return socket_.state() == QAbstractSocket::ConnectedState;
}

void TcpStreamClient::discardPending() {
    // Only what the socket holds is thrown away; bytes already queued stay.
    socket_.read(kDiscardLimit);
}

void TcpStreamClient::sendAll(const QByteArray& bytes) {
    if (!isConnected() || socket_.write(bytes) != bytes.size()) {
        throw devlink::TransportError(QStringLiteral("Socket send aborted"));
    }
    socket_.flush();
}

QByteArray TcpStreamClient::takeBuffered() {
    return std::exchange(received_, {});
}

void TcpStreamClient::onReadyRead() {
    received_.append(socket_.readAll());
    notifyArrival();
}

void TcpStreamClient::onDisconnected() {
    // Only the module's hang-up gets here: our own closes are quiet.
    reportLoss();
}

}  // namespace lan

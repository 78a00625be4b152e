#include "lan/TcpStreamClient.h"

#include <sys/socket.h>

#include <QEventLoop>
#include <QHostAddress>
#include <QSignalBlocker>
#include <QTimer>
#include <algorithm>
#include <array>

namespace lan {
namespace {

constexpr std::size_t kDiscardLimit = 65536;
// Replies are at most 270 bytes. A peer that sends while nothing reads the queue (an idle
// window) gets no more of our memory than this; the serial port's input buffer is bounded too.
constexpr qsizetype kQueueLimit = 65536;

}  // namespace

TcpStreamClient::TcpStreamClient(QObject* parent) : QObject(parent) {
    // Qt would otherwise take in all the system holds in one read, tens of megabytes.
    socket_.setReadBufferSize(kQueueLimit);
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
    // What arrived since the last event processing is still in the system's socket
    // buffer, out of Qt's sight; one read takes it off. A closed peer reads as 0 here
    // and is seen again by the socket's own next read.
    if (!isConnected()) return;
    std::array<char, kDiscardLimit> sink;
    ::recv(static_cast<int>(socket_.socketDescriptor()), sink.data(), sink.size(), MSG_DONTWAIT);
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
    // Read even when the queue is full, so a hang-up is still seen; what does not fit is dropped.
    const QByteArray bytes = socket_.readAll();
    received_.append(bytes.first(std::min(bytes.size(), kQueueLimit - received_.size())));
    notifyArrival();
}

void TcpStreamClient::onDisconnected() {
    // Only the module's hang-up gets here: our own closes are quiet.
    reportLoss();
}

}  // namespace lan

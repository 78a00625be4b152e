#include "lan/UdpDatagramSocket.h"

#include <QEventLoop>
#include <QHostInfo>
#include <QLoggingCategory>
#include <QNetworkDatagram>
#include <QNetworkInterface>

#include "transport/TransportError.h"

namespace lan {
namespace {

Q_LOGGING_CATEGORY(lcModule, "gc.lan.module", QtWarningMsg)

// A flood must not hold the event loop (and with it the link's clock, timers and clicks): this
// many datagrams per turn, the rest on later turns, for which the socket notifies again.
constexpr int kDatagramsPerTurn = 32;

QString DottedOf(const QHostAddress& address) {
    const quint32 v = address.toIPv4Address();
    return QStringLiteral("%1.%2.%3.%4")
        .arg((v >> 24) & 0xFF)
        .arg((v >> 16) & 0xFF)
        .arg((v >> 8) & 0xFF)
        .arg(v & 0xFF);
}

bool IsIPv4(const QHostAddress& address) {
    bool ok = false;
    address.toIPv4Address(&ok);
    return ok;
}

// A dotted address is used as it is; a name is looked up while the event loop runs.
QHostAddress Resolve(const QString& host) {
    QHostAddress address;
    if (address.setAddress(host)) return IsIPv4(address) ? address : QHostAddress();
    QHostInfo info;
    QEventLoop loop;
    QHostInfo::lookupHost(host, &loop, [&](const QHostInfo& found) {
        info = found;
        loop.quit();
    });
    loop.exec();
    for (const QHostAddress& candidate : info.addresses()) {
        if (candidate.protocol() == QAbstractSocket::IPv4Protocol) return candidate;
    }
    return {};
}

}  // namespace

UdpDatagramSocket::UdpDatagramSocket(QObject* parent) : QObject(parent) {}

void UdpDatagramSocket::bindTo(quint16 port) {
    if (socket_) socket_->disconnect(this);
    socket_.reset(new QUdpSocket);
    if (!socket_->bind(QHostAddress::AnyIPv4, port,
                       QAbstractSocket::ShareAddress | QAbstractSocket::ReuseAddressHint)) {
        const QString cause = socket_->errorString();
        socket_.reset();
        throw devlink::TransportError(
            QStringLiteral("Cannot bind UDP port %1: %2").arg(port).arg(cause));
    }
    connect(socket_.get(), &QUdpSocket::readyRead, this, &UdpDatagramSocket::onReadyRead);
}

void UdpDatagramSocket::allowBroadcast() {
    // Qt sets SO_BROADCAST on every UDP socket it makes; nothing is left to switch on.
}

void UdpDatagramSocket::sendTo(const QByteArray& bytes, const QString& host, quint16 port) {
    if (bytes.isEmpty()) throw devlink::TransportError(QStringLiteral("Invalid buffer"));
    const QHostAddress address = Resolve(host);
    if (address.isNull()) throw devlink::TransportError(QStringLiteral("Null Remote Address"));
    if (!socket_) throw devlink::TransportError(QStringLiteral("Module socket not bound"));
    if (socket_->writeDatagram(bytes, address, port) != bytes.size()) {
        qCWarning(lcModule).noquote() << "datagram to" << host << "lost:" << socket_->errorString();
    }
}

quint16 UdpDatagramSocket::boundPort() const {
    return socket_ ? socket_->localPort() : 0;
}

HostNetwork UdpDatagramSocket::hostNetwork() const {
    HostNetwork network;
    for (const QNetworkInterface& interface : QNetworkInterface::allInterfaces()) {
        const auto flags = interface.flags();
        for (const QNetworkAddressEntry& entry : interface.addressEntries()) {
            if (entry.ip().protocol() != QAbstractSocket::IPv4Protocol) continue;
            network.interfaces.push_back(
                {DottedOf(entry.ip()),
                 entry.broadcast().isNull() ? QString() : DottedOf(entry.broadcast()),
                 flags.testFlag(QNetworkInterface::IsUp) &&
                     flags.testFlag(QNetworkInterface::IsRunning),
                 flags.testFlag(QNetworkInterface::IsLoopBack)});
        }
    }
    for (const QHostAddress& address :
         QHostInfo::fromName(QHostInfo::localHostName()).addresses()) {
        if (address.protocol() == QAbstractSocket::IPv4Protocol) {
            network.hostNameAddress = DottedOf(address);
            break;
        }
    }
    return network;
}

void UdpDatagramSocket::onReadyRead() {
    for (int n = 0; n < kDatagramsPerTurn && socket_ && socket_->hasPendingDatagrams(); ++n) {
        const QNetworkDatagram datagram = socket_->receiveDatagram(kMaxDatagram);
        QHostAddress sender = datagram.senderAddress();
        if (!IsIPv4(sender)) continue;
        deliver({datagram.data(), DottedOf(sender), static_cast<quint16>(datagram.senderPort())});
    }
}

}  // namespace lan

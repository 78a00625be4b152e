#include "SimServer.h"

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTimer>

namespace sim {

SimServer::SimServer(Options options, QObject* parent)
    : QObject(parent),
      options_(std::move(options)),
      sim_(options_.modules),
      moduleServer_(sim_.modules(), options_.udpAddress) {
    connect(&moduleServer_, &ModuleServer::lineReady, this, &SimServer::lineReady);
    sim_.setWireTimeEmulation(options_.wireTime);
    sim_.setReplyDelayMs(options_.delayMs);
    for (const Fault& fault : options_.faults) {
        sim_.injectFault(fault);
    }
    connect(&timer_, &DeliveryTimer::expired, this, &SimServer::sendDue);
    sim_.setRebootMs(options_.rebootMs);
    for (const FirmwareFault& fault : options_.firmwareFaults) {
        sim_.injectFirmwareFault(fault);
    }
    connect(&pty_, &PtyPort::received, this,
            [this](const QByteArray& bytes) { receive(Peer::Pty, bytes); });
    connect(&tcpServer_, &QTcpServer::newConnection, this, &SimServer::acceptClient);
    connect(&panel_, &PanelInput::lineReceived, this, &SimServer::takePanelLine);
    connect(&randomPanel_, &QTimer::timeout, this,
            [this] { applyPanel(randomPanelCommand(sim_.state(), *QRandomGenerator::global())); });
}

SimServer::~SimServer() {
    unlinkPty();
}

bool SimServer::start(QString* error) {
    // The pipe first: once the terminal is announced, writing a panel line must not fail.
    if (!options_.panelPath.isEmpty() && !panel_.open(options_.panelPath, error)) {
        return false;
    }
    if (options_.panelRandomMs > 0) {
        randomPanel_.start(options_.panelRandomMs);
    }
    if (!openPty(error)) {
        return false;
    }
    if (!options_.udpAddress.isNull() && !moduleServer_.start(error)) {
        return false;
    }
    if (options_.tcpAddress.isNull()) {
        return true;
    }
    if (!tcpServer_.listen(options_.tcpAddress, options_.tcpPort)) {
        *error = QStringLiteral("TCP %1:%2: %3")
                     .arg(options_.tcpAddress.toString())
                     .arg(options_.tcpPort)
                     .arg(tcpServer_.errorString());
        return false;
    }
    emit lineReady(QStringLiteral("TCP %1:%2")
                       .arg(tcpServer_.serverAddress().toString())
                       .arg(tcpServer_.serverPort()));
    return true;
}

bool SimServer::openPty(QString* error) {
    if (!pty_.open(error) || !linkPty(error)) {
        return false;
    }
    emit lineReady(QStringLiteral("PTY %1").arg(pty_.slavePath()));
    return true;
}

bool SimServer::linkPty(QString* error) {
    if (options_.linkPath.isEmpty()) {
        return true;
    }
    const QFileInfo link(options_.linkPath);
    if (link.isSymLink()) {
        QFile::remove(options_.linkPath);
    } else if (link.exists()) {
        *error = QStringLiteral("%1 exists and is not a symbolic link").arg(options_.linkPath);
        return false;
    }
    if (::symlink(QFile::encodeName(pty_.slavePath()).constData(),
                  QFile::encodeName(options_.linkPath).constData()) != 0) {
        *error = QStringLiteral("cannot create the link %1").arg(options_.linkPath);
        return false;
    }
    return true;
}

void SimServer::unlinkPty() {
    const QFileInfo link(options_.linkPath);
    if (!options_.linkPath.isEmpty() && link.isSymLink() &&
        link.symLinkTarget() == pty_.slavePath()) {
        QFile::remove(options_.linkPath);
    }
}

void SimServer::acceptClient() {
    while (QTcpSocket* socket = tcpServer_.nextPendingConnection()) {
        if (client_) {
            dropPeer(Peer::Tcp);
        }
        client_ = socket;
        connect(socket, &QTcpSocket::readyRead, this,
                [this, socket] { receive(Peer::Tcp, socket->readAll()); });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
}

void SimServer::receive(Peer peer, const QByteArray& bytes) {
    for (Delivery& delivery : sim_.receive(bytes, timer_.nowMs())) {
        outgoing_.emplace(delivery.dueMs, Outgoing{peer, std::move(delivery.bytes)});
    }
    reportNewFrames();
    reportNewFirmwareParts();
    reportModuleEvents();
    if (sim_.takeConnectionDrop()) {
        dropPeer(peer);
    }
    // Without wire time a reply is due at once: no need to go round the event loop for it.
    sendDue();
}

void SimServer::reportNewFrames() {
    const QStringList& log = sim_.frameLog();
    const qint64 fresh = std::min<qint64>(sim_.framesReceived() - framesReported_, log.size());
    framesReported_ = sim_.framesReceived();
    if (options_.quiet) {
        return;
    }
    for (qsizetype line = log.size() - fresh; line < log.size(); ++line) {
        emit lineReady(QStringLiteral("RX %1").arg(log[line]));
    }
}

void SimServer::reportNewFirmwareParts() {
    const std::vector<ReceivedPart>& parts = sim_.firmwareParts();
    for (; partsReported_ < parts.size(); ++partsReported_) {
        const ReceivedPart& part = parts[partsReported_];
        if (!options_.firmwareDir.isEmpty()) {
            QFile file(QDir(options_.firmwareDir).filePath(part.label() + QStringLiteral(".bin")));
            if (!file.open(QIODevice::WriteOnly) || file.write(part.image) != part.image.size()) {
                emit lineReady(QStringLiteral("ERROR cannot write %1").arg(file.fileName()));
            }
        }
        emit lineReady(QStringLiteral("FW %1 %2").arg(part.label()).arg(part.image.size()));
    }
}

void SimServer::reportModuleEvents() {
    for (const QString& event : sim_.modules().takeEvents()) {
        emit lineReady(event);
    }
}

void SimServer::takePanelLine(const QByteArray& line) {
    QString error;
    if (const auto command = parsePanelCommand(line, &error)) {
        applyPanel(*command);
    } else {
        emit lineReady(QStringLiteral("PANEL %1").arg(error));
    }
}

// Called from the event loop only, so a change never falls inside the handling of a frame.
void SimServer::applyPanel(const PanelCommand& command) {
    applyPanelCommand(sim_.state(), command);
    emit lineReady(QStringLiteral("PANEL %1").arg(panelText(command)));
}

void SimServer::sendDue() {
    const double now = timer_.nowMs();
    while (!outgoing_.empty() && outgoing_.begin()->first <= now) {
        const Outgoing& out = outgoing_.begin()->second;
        if (out.peer == Peer::Pty) {
            pty_.send(out.bytes);
        } else if (client_) {
            client_->write(out.bytes);
        }
        outgoing_.erase(outgoing_.begin());
    }
    armTimer();
}

void SimServer::armTimer() {
    if (outgoing_.empty()) {
        timer_.disarm();
        return;
    }
    timer_.arm(outgoing_.begin()->first);
}

void SimServer::dropPeer(Peer peer) {
    std::erase_if(outgoing_, [peer](const auto& entry) { return entry.second.peer == peer; });
    if (peer == Peer::Tcp) {
        if (client_) {
            client_->abort();
            client_->deleteLater();
        }
        return;
    }
    // Later, because the terminal's notifier is still delivering the bytes that asked for it.
    QTimer::singleShot(0, this, &SimServer::replugPty);
}

void SimServer::replugPty() {
    // A serial line cannot be pulled; a new terminal stands for the replugged cable.
    unlinkPty();
    QString error;
    if (!openPty(&error)) {
        emit lineReady(QStringLiteral("ERROR %1").arg(error));
    }
}

}  // namespace sim

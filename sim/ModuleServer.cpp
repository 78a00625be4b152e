#include "ModuleServer.h"

#include <QNetworkDatagram>

namespace sim {

ModuleServer::ModuleServer(ModuleBank& modules, QHostAddress address, QObject* parent)
    : QObject(parent), modules_(modules), address_(std::move(address)) {
    connect(&search_, &QUdpSocket::readyRead, this, [this] { serve(search_); });
    connect(&config_, &QUdpSocket::readyRead, this, [this] { serve(config_); });
}

bool ModuleServer::start(QString* error) {
    const auto mode = QAbstractSocket::ShareAddress | QAbstractSocket::ReuseAddressHint;
    for (auto [socket, port] :
         {std::pair{&search_, kModuleSearchPort}, std::pair{&config_, kModuleConfigPort}}) {
        if (!socket->bind(address_, port, mode)) {
            *error = QStringLiteral("UDP %1:%2: %3")
                         .arg(address_.toString())
                         .arg(port)
                         .arg(socket->errorString());
            return false;
        }
    }
    emit lineReady(QStringLiteral("UDP %1").arg(address_.toString()));
    return true;
}

void ModuleServer::serve(QUdpSocket& socket) {
    while (socket.hasPendingDatagrams()) {
        const QNetworkDatagram request = socket.receiveDatagram();
        const bool search = &socket == &search_;
        const QByteArray answer =
            search ? modules_.answerSearch(request.data())
                   : modules_.answerConfiguration(request.data()).value_or(QByteArray());
        for (const QString& event : modules_.takeEvents()) emit lineReady(event);
        if (answer.isEmpty()) continue;
        if (search) {
            emit lineReady(
                QStringLiteral("SEARCH from %1").arg(request.senderAddress().toString()));
        }
        socket.writeDatagram(answer, request.senderAddress(),
                             static_cast<quint16>(request.senderPort()));
    }
}

}  // namespace sim

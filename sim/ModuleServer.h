#pragma once

#include <QHostAddress>
#include <QObject>
#include <QUdpSocket>

#include "EthernetModule.h"

namespace sim {

// The modules' UDP side: search requests on port 30600, configuration records on 30601, each
// answered to the sender from the port it came to. Bound shared, so a controller on the same
// machine can hold the same ports on another address.
class ModuleServer : public QObject {
    Q_OBJECT
public:
    ModuleServer(ModuleBank& modules, QHostAddress address, QObject* parent = nullptr);

    // Reports "UDP <address>" when both ports are open.
    bool start(QString* error);

signals:
    void lineReady(const QString& line);

private:
    void serve(QUdpSocket& socket);

    ModuleBank& modules_;
    QHostAddress address_;
    QUdpSocket search_;
    QUdpSocket config_;
};

}  // namespace sim

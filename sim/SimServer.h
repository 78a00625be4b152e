#pragma once

#include <QHostAddress>
#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <map>
#include <vector>

#include "DeliveryTimer.h"
#include "ModuleServer.h"
#include "PanelCommand.h"
#include "PanelInput.h"
#include "PtyPort.h"
#include "SwitcherSim.h"

namespace sim {

// Serves one simulated switcher on a pseudo-terminal and, optionally, a loopback TCP port
// (one client at a time; a new client replaces the old one). Both share the switcher.
class SimServer : public QObject {
    Q_OBJECT
public:
    struct Options {
        QString linkPath;         // symlink to the slave terminal; empty: none
        QHostAddress tcpAddress;  // null: no TCP
        quint16 tcpPort = 8000;   // 0: any free port
        bool wireTime = false;
        int delayMs = 0;
        std::vector<Fault> faults;
        bool quiet = false;  // no line per received frame
        int rebootMs = 2000;
        std::vector<FirmwareFault> firmwareFaults;
        QString firmwareDir;      // every firmware part received whole is written here; empty: not
        QHostAddress udpAddress;  // the Ethernet modules' UDP ports; null: none
        ModuleSetup modules;
        QString panelPath;      // a pipe of front-panel command lines; empty: none
        int panelRandomMs = 0;  // a random front-panel change this often; 0: none
    };

    explicit SimServer(Options options, QObject* parent = nullptr);
    ~SimServer() override;

    // Opens the ports and reports them as "PTY <path>", "TCP <address>:<port>" and
    // "UDP <address>" lines; each firmware part received whole is reported as
    // "FW <label> <bytes>", each module configured or reset as a "MODULE" line, each front-panel
    // change as "PANEL <command>" and each panel line refused as "PANEL bad line ...".
    bool start(QString* error);
    SwitcherSim& sim() { return sim_; }

signals:
    void lineReady(const QString& line);

private:
    enum class Peer { Pty, Tcp };
    struct Outgoing {
        Peer peer;
        QByteArray bytes;
    };

    bool openPty(QString* error);
    bool linkPty(QString* error);
    void unlinkPty();
    void acceptClient();
    void receive(Peer peer, const QByteArray& bytes);
    void reportNewFrames();
    void reportNewFirmwareParts();
    void sendDue();
    void armTimer();
    void dropPeer(Peer peer);
    void replugPty();
    void reportModuleEvents();
    void takePanelLine(const QByteArray& line);
    void applyPanel(const PanelCommand& command);

    Options options_;
    SwitcherSim sim_;
    ModuleServer moduleServer_;
    PtyPort pty_;
    QTcpServer tcpServer_;
    QPointer<QTcpSocket> client_;
    DeliveryTimer timer_;
    PanelInput panel_;
    QTimer randomPanel_;
    std::multimap<double, Outgoing> outgoing_;  // equal due times keep their order
    qint64 framesReported_ = 0;
    std::size_t partsReported_ = 0;
};

}  // namespace sim

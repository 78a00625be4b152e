#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

#include "transport/TransportError.h"

namespace devlink {

// What the link needs of the TCP connection to the Ethernet module.
class StreamClient : public LineLossReporter {
public:
    virtual ~StreamClient() = default;
    // Keeps processing events while it connects; timeoutMs 0 means no time-out.
    virtual void connectTo(const QString& host, quint16 port, int timeoutMs) = 0;
    virtual void disconnectFromHost() = 0;
    virtual bool isConnected() const = 0;
    // Throws away the bytes the connection holds now; bytes already queued for takeBuffered stay.
    virtual void discardPending() = 0;
    virtual void sendAll(const QByteArray& bytes) = 0;
    virtual QByteArray takeBuffered() = 0;
    // Called whenever bytes were buffered, so the pump can wake.
    void setArrivalHandler(std::function<void()> handler) { arrival_ = std::move(handler); }

protected:
    void notifyArrival() {
        if (arrival_) arrival_();
    }

private:
    std::function<void()> arrival_;
};

}  // namespace devlink

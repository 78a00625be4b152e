#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

#include "transport/TransportError.h"

namespace devlink {

// What the link needs of a serial port.
class SerialTransport : public LineLossReporter {
public:
    using ReceiveHandler = std::function<void(const QByteArray&)>;

    virtual ~SerialTransport() = default;
    virtual QString portName() const = 0;
    virtual void setPortName(const QString& name) = 0;  // reopens an open port
    virtual void open() = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    virtual void clearBuffers() = 0;
    virtual qint64 write(const QByteArray& bytes) = 0;

    // Bytes are delivered on the caller's thread, in arrival order, one call per delivery.
    void setReceiveHandler(ReceiveHandler handler) { handler_ = std::move(handler); }

protected:
    void deliver(const QByteArray& bytes) {
        if (handler_) handler_(bytes);
    }

private:
    ReceiveHandler handler_;
};

}  // namespace devlink

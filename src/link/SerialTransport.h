#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <stdexcept>

namespace devlink {

// Raised by transports; the link catches it and turns it into a notification.
class TransportError : public std::runtime_error {
public:
    explicit TransportError(const QString& message, QString cause = {})
        : std::runtime_error(message.toStdString()), message_(message), cause_(std::move(cause)) {}
    const QString& message() const { return message_; }
    // What the operator can act on, such as "permission denied"; empty when nothing helps.
    const QString& cause() const { return cause_; }

private:
    QString message_;
    QString cause_;
};

// A line that can go away by itself: an unplugged adapter, a module that hangs up.
// The transport is already closed when it reports the loss; a close asked for by
// the link is never reported.
class LineLossReporter {
public:
    void setLossHandler(std::function<void()> handler) { lost_ = std::move(handler); }

protected:
    void reportLoss() {
        if (lost_) lost_();
    }

private:
    std::function<void()> lost_;
};

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

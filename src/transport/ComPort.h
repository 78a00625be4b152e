#pragma once

#include <QObject>
#include <QSerialPort>

#include "transport/SerialTransport.h"

namespace devlink {

// Serial port errors carry the failing step and the platform's error number.
class EComPort : public TransportError {
public:
    EComPort(const QString& text, int errorNumber, QString cause = {});
};

// The serial port at 57600 8N1, no flow control, DTR and RTS off. Received
// bytes are read on the Qt thread and handed over one delivery at a time.
class TComPort final : public QObject, public SerialTransport {
    Q_OBJECT

public:
    static constexpr int kBufferSize = 1024;
    static constexpr int kWriteTimeoutPerByteMs = 100;
    static constexpr int kWriteTimeoutConstantMs = 1000;

    explicit TComPort(QObject* parent = nullptr);
    ~TComPort() override;

    QString portName() const override { return name_; }
    void setPortName(const QString& name) override;
    void open() override;
    void close() override;
    bool isOpen() const override { return port_.isOpen(); }
    void clearBuffers() override;
    qint64 write(const QByteArray& bytes) override;

private:
    void applySettings();
    void onReadyRead();
    void onError(QSerialPort::SerialPortError error);

    QSerialPort port_;
    QString name_ = QStringLiteral("COM1");
};

}  // namespace devlink

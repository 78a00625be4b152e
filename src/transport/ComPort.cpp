#include "transport/ComPort.h"

#include <sys/file.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <cerrno>

namespace devlink {

namespace {

// Qt opens a bare port name under /dev and a path as it is.
QString systemLocation(const QString& portName) {
    const bool isPath = portName.startsWith(QLatin1Char('/')) ||
                        portName.startsWith(QLatin1String("./")) ||
                        portName.startsWith(QLatin1String("../"));
    return isPath ? portName : QStringLiteral("/dev/") + portName;
}

QString inUseText(const QString& portName) {
    return portName + QStringLiteral(" is in use by another program");
}

// Serial devices belong to a group the operator may not be in yet; that is worth saying,
// with the device's own path (a link's target), since it is the one failure the operator
// can mend. Qt reports a port that another program holds (its lock file in /var/lock, or
// the device opened exclusively) as a permission error on a device we may open: in use.
QString openFailureCause(const QString& portName, QSerialPort::SerialPortError error) {
    const QString path = systemLocation(portName);
    if (::access(QFile::encodeName(path).constData(), R_OK | W_OK) == 0) {
        return error == QSerialPort::PermissionError ? inUseText(portName) : QString();
    }
    if (errno != EACCES) return {};
    const QString device = QFileInfo(path).canonicalFilePath();
    return QStringLiteral("permission denied on ") + (device.isEmpty() ? path : device);
}

}  // namespace

EComPort::EComPort(const QString& text, int errorNumber, QString cause)
    : TransportError(text + QStringLiteral(" (win error code: %1)").arg(errorNumber),
                     std::move(cause)) {}

TComPort::TComPort(QObject* parent) : QObject(parent) {
    connect(&port_, &QSerialPort::readyRead, this, &TComPort::onReadyRead);
    connect(&port_, &QSerialPort::errorOccurred, this, &TComPort::onError);
}

TComPort::~TComPort() {
    close();
}

void TComPort::setPortName(const QString& name) {
    name_ = name;
    if (!port_.isOpen()) return;
    close();
    open();
}

void TComPort::open() {
    if (port_.isOpen()) return;
    port_.setPortName(name_);
    errno = 0;
    if (!port_.open(QIODevice::ReadWrite)) {
        const int errorNumber = errno != 0 ? errno : port_.error();
        throw EComPort(QStringLiteral("Unable to open com port"), errorNumber,
                       openFailureCause(name_, port_.error()));
    }
    // Lock files live in each program's own view of /var/lock (a service may have a private
    // one), and root passes the exclusive open; a lock on the device itself is seen by all.
    if (::flock(port_.handle(), LOCK_EX | LOCK_NB) != 0) {
        const int errorNumber = errno;
        port_.close();
        throw EComPort(QStringLiteral("Unable to open com port"), errorNumber, inUseText(name_));
    }
    try {
        applySettings();
    } catch (const EComPort&) {
        port_.close();
        throw;
    }
}

void TComPort::applySettings() {
    port_.setReadBufferSize(kBufferSize);
    const bool stateSet =
        port_.setBaudRate(QSerialPort::Baud57600) && port_.setDataBits(QSerialPort::Data8) &&
        port_.setParity(QSerialPort::NoParity) && port_.setStopBits(QSerialPort::OneStop) &&
        port_.setFlowControl(QSerialPort::NoFlowControl);
    if (!stateSet) throw EComPort(QStringLiteral("SetCommState function failed"), port_.error());
    // Pseudo-terminals and some adapters have no modem lines; the link never needs them.
    port_.setDataTerminalReady(false);
    port_.setRequestToSend(false);
    port_.clearError();
}

void TComPort::close() {
    if (!port_.isOpen()) return;
    port_.close();
}

void TComPort::clearBuffers() {
    if (!port_.isOpen() || !port_.clear(QSerialPort::AllDirections)) {
        throw EComPort(QStringLiteral("PurgeComm function failed"), port_.error());
    }
}

qint64 TComPort::write(const QByteArray& bytes) {
    if (!port_.isOpen()) throw EComPort(QStringLiteral("WriteFile function failed"), port_.error());
    const qint64 written = port_.write(bytes);
    const int timeoutMs =
        kWriteTimeoutConstantMs + kWriteTimeoutPerByteMs * static_cast<int>(bytes.size());
    while (written == bytes.size() && port_.bytesToWrite() > 0) {
        if (!port_.waitForBytesWritten(timeoutMs)) break;
    }
    if (written != bytes.size() || port_.bytesToWrite() > 0) {
        throw EComPort(QStringLiteral("WriteFile function failed"), port_.error());
    }
    return written;
}

void TComPort::onReadyRead() {
    const QByteArray bytes = port_.readAll();
    if (!bytes.isEmpty()) deliver(bytes);
}

void TComPort::onError(QSerialPort::SerialPortError error) {
    // A vanished device keeps its descriptor readable with nothing to read;
    // closing stops the notifier so a wait does not spin, and the next write fails.
    if (error != QSerialPort::ResourceError && error != QSerialPort::ReadError) return;
    if (!port_.isOpen()) return;
    close();
    reportLoss();
}

}  // namespace devlink

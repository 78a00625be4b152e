#include "PtyPort.h"

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>

#include <QTimer>
#include <cerrno>
#include <cstring>

namespace sim {

namespace {

QString systemError(const char* what) {
    return QStringLiteral("%1: %2").arg(QLatin1String(what),
                                        QString::fromLocal8Bit(std::strerror(errno)));
}

bool makeRaw(int fd) {
    termios settings{};
    if (::tcgetattr(fd, &settings) != 0) {
        return false;
    }
    ::cfmakeraw(&settings);
    ::cfsetspeed(&settings, B57600);
    return ::tcsetattr(fd, TCSANOW, &settings) == 0;
}

}  // namespace

bool PtyPort::open(QString* error) {
    reader_.reset();
    writer_.reset();
    pending_.clear();
    slave_.reset();
    master_.reset(::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK));
    if (!master_.valid()) {
        *error = systemError("posix_openpt");
        return false;
    }
    if (::grantpt(master_.get()) != 0 || ::unlockpt(master_.get()) != 0) {
        *error = systemError("grantpt/unlockpt");
        return false;
    }
    const char* name = ::ptsname(master_.get());
    if (name == nullptr) {
        *error = systemError("ptsname");
        return false;
    }
    slavePath_ = QString::fromLocal8Bit(name);
    slave_.reset(::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK));
    if (!slave_.valid() || !makeRaw(slave_.get())) {
        *error = systemError("slave terminal");
        return false;
    }
    reader_ = std::make_unique<QSocketNotifier>(master_.get(), QSocketNotifier::Read);
    connect(reader_.get(), &QSocketNotifier::activated, this, &PtyPort::readMaster);
    writer_ = std::make_unique<QSocketNotifier>(master_.get(), QSocketNotifier::Write);
    writer_->setEnabled(false);
    connect(writer_.get(), &QSocketNotifier::activated, this, &PtyPort::writePending);
    return true;
}

void PtyPort::send(const QByteArray& bytes) {
    if (!master_.valid() || pending_.size() + bytes.size() > kMaxPending) {
        return;  // nobody has read the earlier replies; the line drops these
    }
    pending_.append(bytes);
    writePending();
}

void PtyPort::readMaster() {
    char buffer[4096];
    const ssize_t count = ::read(master_.get(), buffer, sizeof buffer);
    if (count > 0) {
        emit received(QByteArray(buffer, count));
    } else if (count == 0 || (errno != EAGAIN && errno != EINTR)) {
        pauseReading();  // EIO or end of file: no slave open at the moment
    }
}

void PtyPort::pauseReading() {
    reader_->setEnabled(false);
    QTimer::singleShot(kRetryReadMs, reader_.get(),
                       [notifier = reader_.get()] { notifier->setEnabled(true); });
}

void PtyPort::writePending() {
    while (!pending_.isEmpty()) {
        const ssize_t count = ::write(master_.get(), pending_.constData(), pending_.size());
        if (count < 0) {
            const bool retry = errno == EAGAIN || errno == EINTR;
            writer_->setEnabled(retry);
            if (!retry) {
                pending_.clear();
            }
            return;
        }
        pending_.remove(0, count);
    }
    writer_->setEnabled(false);
}

}  // namespace sim

#include "PanelInput.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <QFile>
#include <cerrno>
#include <cstring>

#include "PanelCommand.h"

namespace sim {

namespace {

QString systemError(const QString& path) {
    return QStringLiteral("panel %1: %2").arg(path, QString::fromLocal8Bit(std::strerror(errno)));
}

}  // namespace

PanelInput::~PanelInput() {
    if (!madePath_.isEmpty()) {
        QFile::remove(madePath_);
    }
}

bool PanelInput::open(const QString& path, QString* error) {
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    if (::stat(name.constData(), &info) != 0) {
        if (errno != ENOENT || ::mkfifo(name.constData(), 0600) != 0) {
            *error = systemError(path);
            return false;
        }
        madePath_ = path;
    } else if (!S_ISFIFO(info.st_mode)) {
        *error = QStringLiteral("panel %1 is not a pipe").arg(path);
        return false;
    }
    reader_.reset(::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (reader_.valid()) {
        keepOpen_.reset(::open(name.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC));
    }
    if (!keepOpen_.valid()) {
        *error = systemError(path);
        return false;
    }
    notifier_ = std::make_unique<QSocketNotifier>(reader_.get(), QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &PanelInput::readPipe);
    return true;
}

void PanelInput::readPipe() {
    char buffer[4096];
    const ssize_t count = ::read(reader_.get(), buffer, sizeof buffer);
    if (count < 0 && (errno == EAGAIN || errno == EINTR)) {
        return;
    }
    if (count <= 0) {
        notifier_->setEnabled(false);  // a broken pipe would otherwise wake us for ever
        return;
    }
    for (const char byte : QByteArrayView(buffer, count)) {
        if (byte == '\n') {
            emit lineReceived(line_);
            line_.clear();
        } else if (line_.size() <= kPanelLineLimit) {
            line_.append(byte);
        }
    }
}

}  // namespace sim

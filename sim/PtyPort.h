#pragma once

#include <QByteArray>
#include <QObject>
#include <QSocketNotifier>
#include <QString>
#include <memory>

#include "posix/UniqueFd.h"

namespace sim {

// The switcher's serial port: the master side of a pseudo-terminal in raw mode. A slave
// descriptor stays open here so that the controller may close and reopen the slave without
// the master seeing a hang-up.
class PtyPort : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Replaces any open pair by a new one; the new slave's path is then slavePath().
    bool open(QString* error);
    QString slavePath() const { return slavePath_; }
    void send(const QByteArray& bytes);

signals:
    void received(const QByteArray& bytes);

private:
    static constexpr qsizetype kMaxPending = 64 * 1024;
    static constexpr int kRetryReadMs = 200;

    void readMaster();
    void writePending();
    void pauseReading();

    posix::UniqueFd master_;
    posix::UniqueFd slave_;
    std::unique_ptr<QSocketNotifier> reader_;
    std::unique_ptr<QSocketNotifier> writer_;
    QByteArray pending_;
    QString slavePath_;
};

}  // namespace sim

#pragma once

#include <QByteArray>
#include <QObject>
#include <QSocketNotifier>
#include <QString>
#include <memory>

#include "posix/UniqueFd.h"

namespace sim {

// The simulated front panel's input: lines written to a named pipe, by any number of writers one
// after the other (`echo "route 3 5" > pipe`, again and again).
class PanelInput : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~PanelInput() override;

    // Makes the pipe when nothing is at path (and removes it again at the end); refuses a path
    // that is not a pipe.
    bool open(const QString& path, QString* error);

signals:
    // A line without its end of line; a longer line than kPanelLineLimit comes cut to one byte
    // more, so that memory stays bounded and the line can still be refused as too long.
    void lineReceived(const QByteArray& line);

private:
    void readPipe();

    QString madePath_;
    posix::UniqueFd reader_;
    posix::UniqueFd
        keepOpen_;  // a writer of our own: the last writer closing is then no end of file
    std::unique_ptr<QSocketNotifier> notifier_;
    QByteArray line_;
};

}  // namespace sim

#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <memory>

#include "posix/UniqueFd.h"

namespace posix {

// Turns SIGINT and SIGTERM into QCoreApplication::quit(), so destructors run and clean up.
class SignalQuit : public QObject {
    Q_OBJECT
public:
    explicit SignalQuit(QObject* parent = nullptr);
    ~SignalQuit() override;

private:
    UniqueFd readEnd_;
    UniqueFd writeEnd_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace posix

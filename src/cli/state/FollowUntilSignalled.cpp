#include "cli/state/FollowUntilSignalled.h"

#include <QCoreApplication>
#include <QTextStream>

#include "core/Connection.h"
#include "core/Follower.h"
#include "posix/SignalQuit.h"

namespace cli {

Outcome followUntilSignalled(core::Connection& connection, core::Follower& follower) {
    const QMetaObject::Connection announce =
        QObject::connect(&follower, &core::Follower::reconnecting, [](int seconds) {
            QTextStream(stderr) << QStringLiteral("Reconnecting in %1 s\n").arg(seconds);
        });
    const posix::SignalQuit quitOnSignal;
    follower.setEnabled(true);
    QCoreApplication::exec();
    follower.setEnabled(false);
    QObject::disconnect(announce);
    connection.clearFailure();
    Outcome out;
    out.streamed = true;
    return out;
}

}  // namespace cli

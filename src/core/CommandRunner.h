#pragma once

#include <QString>

#include "core/CommandHost.h"
#include "link/CommandResult.h"
#include "link/Commands.h"
#include "link/LinkGuard.h"
#include "link/StatusPanel.h"

namespace devlink {
class TVKCOMControl;
}

namespace core {

class Follower;

// The window-side wrappers every plain command runs through: connect on
// demand, the busy guard, the power check and the status texts.
class CommandRunner {
public:
    CommandRunner(devlink::TVKCOMControl& link, devlink::LinkGuard& flags, CommandHost& host);

    // The guards every operation of the window passes first: no stop requested, the link
    // connected (connecting on demand), and no other command running ("In processing,
    // command ignored" otherwise).
    bool LinkReady() { return Readiness() == devlink::FailureKind::None; }
    // The same guards, saying which one refused.
    devlink::FailureKind Readiness();
    // No other command running; otherwise the busy notice. For the handlers that change what
    // the link talks to, which must not do so under a waiting command.
    bool LinkIdle();

    devlink::CommandResult ExecCommand(const QString& label, quint8 group, quint8 code,
                                       quint16 p1 = 0, quint16 p2 = 0, quint16 p3 = 0,
                                       quint16 p4 = 0);
    devlink::CommandResult ExecPoweredCommand(const QString& label, quint8 group, quint8 code,
                                              quint16 p1 = 0, quint16 p2 = 0, quint16 p3 = 0,
                                              quint16 p4 = 0);

    // Runs a plain command through the wrapper its table entry names.
    devlink::CommandResult Run(const devlink::CommandRequest& request);

    // Route and power commands the switcher accepts are told to the follower, which reads
    // them back at once and credits them to this program.
    void reportWritesTo(Follower* follower) { follower_ = follower; }

private:
    void reportWrite(quint8 group, quint8 code, quint16 p1, quint16 p2);

    devlink::TVKCOMControl& link_;
    devlink::LinkGuard& flags_;
    CommandHost& host_;
    Follower* follower_ = nullptr;
};

}  // namespace core

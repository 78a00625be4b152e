#include "core/operations/EdidChanges.h"

namespace core {

namespace {

devlink::CommandResult runGate(CommandRunner& runner, const QString& label) {
    devlink::CommandRequest gate = device::kEdidWriteGateOff.request();
    gate.label = label;
    return runner.Run(gate);
}

}  // namespace

bool closeEdidWriteGate(CommandRunner& runner, const QString& label) {
    return runGate(runner, label).succeeded();
}

devlink::CommandResult runEdidChange(CommandRunner& runner, const devlink::CommandRequest& change,
                                     const QString& gateLabel) {
    const devlink::CommandResult gate = runGate(runner, gateLabel);
    return gate.succeeded() ? runner.Run(change) : gate;
}

}  // namespace core

#pragma once

#include <QString>
#include <memory>
#include <optional>

#include "link/CommandRunner.h"
#include "link/EventLoopPump.h"
#include "link/LinkGuard.h"
#include "link/VKCOMControl.h"

namespace cli {

// Where the switcher is: a serial device, or the Ethernet module's command port.
struct Target {
    enum class Kind { Serial, Tcp };
    Kind kind = Kind::Serial;
    QString where;  // device path or IPv4 address
    quint16 port = devlink::TVKCOMControl::kModulePort;
};

// The first failure the link or the command wrappers reported, as the window shows it.
struct Failure {
    int exitCode = 0;
    QString text;
};

// One connection to the switcher for the life of the program: the link, its guards and the
// command wrappers. The link connects on the first command; every failure it reports is kept.
class Session {
public:
    explicit Session(const Target& target);
    // Over the given transports; a pump or clock left out is the session's own, and the link
    // always runs under the session's guard. Tests bring the simulator and a virtual clock.
    Session(const Target& target, devlink::TVKCOMControl::Parts parts);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    const Target& target() const { return target_; }
    devlink::TVKCOMControl& link() { return *link_; }
    devlink::LinkGuard& guard() { return guard_; }
    devlink::CommandRunner& runner() { return *runner_; }

    bool connect();
    // A plain command through the wrapper its table entry names; powered commands read the
    // power state once first, as an operator would press "Device status".
    devlink::CommandResult run(const devlink::CommandRequest& request);
    // Get power status; nothing when the query failed.
    std::optional<bool> readPower();

    const std::optional<Failure>& failure() const { return failure_; }
    // Records a failure the link does not report itself; the first one stays.
    void fail(int exitCode, const QString& text);

private:
    void onNotification(const devlink::LinkNotification& n);
    int refusedOrNoReply() const;

    Target target_;
    devlink::EventLoopPump pump_;
    devlink::SteadyClock clock_;
    devlink::LinkGuard guard_;
    std::unique_ptr<devlink::TVKCOMControl> link_;
    std::unique_ptr<devlink::CommandRunner> runner_;
    std::optional<bool> powerOn_;
    std::optional<Failure> failure_;
};

}  // namespace cli

#pragma once

#include <QObject>
#include <QString>
#include <memory>
#include <optional>

#include "core/CommandRunner.h"
#include "core/OperatorTexts.h"
#include "link/LinkGuard.h"
#include "link/VKCOMControl.h"
#include "transport/EventLoopPump.h"

namespace core {

// Where the switcher is: a serial device, or the Ethernet module's command port.
struct Target {
    enum class Kind { Serial, Tcp };
    Kind kind = Kind::Serial;
    QString where;  // device path or IPv4 address
    quint16 port = devlink::TVKCOMControl::kModulePort;
    // A saved TCP control device: a module that no longer answers at `where` is looked for by
    // its MAC.
    QString mac{};
    QString tag{};
};

// The first failure of a run, with the operator's text for it.
struct Failure {
    devlink::FailureKind kind = devlink::FailureKind::None;
    QString text;
};

// One connection to a switcher for the life of a program without a window: the link, its
// guards and the command wrappers. The link connects on the first command; the first failure
// it reports is kept.
class Connection final : public QObject, private CommandHost {
    Q_OBJECT

public:
    explicit Connection(const Target& target);
    // Over the given transports; a pump or clock left out is the connection's own, and the
    // link always runs under the connection's guard. Tests bring the simulator and a virtual
    // clock.
    Connection(const Target& target, devlink::TVKCOMControl::Parts parts);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    const Target& target() const { return target_; }
    devlink::TVKCOMControl& link() { return *link_; }
    devlink::LinkGuard& guard() { return guard_; }
    devlink::LinkClock& clock() { return *linkClock_; }
    CommandRunner& runner() { return *runner_; }

    // Connects; a saved module that moved is found by its MAC and used at its new address.
    bool connect();
    // A plain command through the wrapper its table entry names; powered commands read the
    // power state once first, as an operator would press "Device status".
    devlink::CommandResult run(const devlink::CommandRequest& request);
    // Get power status; nothing when the query failed.
    std::optional<bool> readPower();

    const std::optional<Failure>& failure() const { return failure_; }
    // Records a failure the link does not report itself; the first one stays. Without a text,
    // the kind's own.
    void fail(devlink::FailureKind kind, const QString& text = {});
    // Forgets the failures so far: a long-running program goes on after them.
    void clearFailure() { failure_.reset(); }
    // The line and the port, for the texts that name them.
    FailureContext where() const;

signals:
    // The saved module answered at another address, which this connection now uses.
    void moduleMoved(const QString& ip);

private:
    void onNotification(const devlink::LinkNotification& n);
    // Without an operator, a command needing power reads it once, and a refusal for lack of
    // power is the run's failure.
    void connectForCommand() override { connect(); }
    void showStatus(devlink::StatusPanel, const QString&, bool) override {}
    void informationBox(const QString&) override { fail(devlink::FailureKind::SwitcherOff); }
    bool powerOn() override;

    Target target_;
    devlink::EventLoopPump pump_;
    devlink::SteadyClock clock_;
    devlink::LinkClock* linkClock_ = &clock_;
    devlink::LinkGuard guard_;
    std::unique_ptr<devlink::TVKCOMControl> link_;
    std::unique_ptr<CommandRunner> runner_;
    std::optional<bool> powerOn_;
    std::optional<Failure> failure_;
};

}  // namespace core

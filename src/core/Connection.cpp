#include "core/Connection.h"

#include "core/MovedModule.h"
#include "lan/TcpStreamClient.h"
#include "lan/UdpDatagramSocket.h"
#include "transport/ComPort.h"

namespace core {

using namespace devlink;

namespace {

TVKCOMControl::Parts machineParts(const Target& target) {
    TVKCOMControl::Parts parts;
    parts.serial = std::make_unique<TComPort>();
    parts.tcp = std::make_unique<lan::TcpStreamClient>();
    parts.udp = std::make_unique<lan::UdpDatagramSocket>();
    parts.modulePort = target.port;
    return parts;
}

}  // namespace

Connection::Connection(const Target& target) : Connection(target, machineParts(target)) {}

Connection::Connection(const Target& target, TVKCOMControl::Parts parts) : target_(target) {
    if (!parts.pump) parts.pump = &pump_;
    if (!parts.clock) parts.clock = &clock_;
    linkClock_ = parts.clock;
    parts.flags = &guard_;
    link_ = std::make_unique<TVKCOMControl>(std::move(parts));
    QObject::connect(link_.get(), &TVKCOMControl::notified, link_.get(),
                     [this](const LinkNotification& n) { onNotification(n); });
    if (target.kind == Target::Kind::Serial) {
        link_->SetControlMode(cmCOM);
        link_->SetComPort(target.where);
    } else {
        link_->SetControlMode(cmLAN);
        link_->SetDeviceIP(target.where);
    }
    runner_ = std::make_unique<CommandRunner>(*link_, guard_, static_cast<CommandHost&>(*this));
}

bool Connection::powerOn() {
    if (!powerOn_) readPower();
    return powerOn_.value_or(false);
}

Connection::~Connection() {
    link_->Disconnect();
}

bool Connection::connect() {
    if (link_->GetConnected()) return true;
    const std::optional<Failure> before = failure_;
    if (link_->Connect()) return true;
    const auto moved = findMovedModule(*link_, guard_, target_.mac);
    if (!moved) return false;
    link_->SetDeviceIP(*moved);
    if (!link_->Connect()) return false;
    // The refusal at the old address is not this call's failure.
    failure_ = before;
    emit moduleMoved(*moved);
    return true;
}

CommandResult Connection::run(const CommandRequest& request) {
    return runner_->Run(request);
}

std::optional<bool> Connection::readPower() {
    const CommandResult result = run(MakeCommand(Command::GetPowerStatus));
    if (!result.succeeded()) return std::nullopt;
    powerOn_ = ReplyIsOn(result);
    return powerOn_;
}

FailureContext Connection::where() const {
    return FailureContextOf(*link_);
}

void Connection::fail(FailureKind kind, const QString& text) {
    if (!failure_) failure_ = Failure{kind, text.isEmpty() ? FailureText(kind, where()) : text};
}

void Connection::onNotification(const LinkNotification& n) {
    if (n.failure == FailureKind::None) return;
    QString text = FailureText(n.failure, where());
    if (!n.text.isEmpty()) text += QStringLiteral(": ") + n.text;
    fail(n.failure, text);
}

}  // namespace core

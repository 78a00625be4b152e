#include "cli/Session.h"

#include "cli/ExitCode.h"
#include "lan/TcpStreamClient.h"
#include "lan/UdpDatagramSocket.h"
#include "link/ComPort.h"

namespace cli {

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

Session::Session(const Target& target) : Session(target, machineParts(target)) {}

Session::Session(const Target& target, TVKCOMControl::Parts parts) : target_(target) {
    if (!parts.pump) parts.pump = &pump_;
    if (!parts.clock) parts.clock = &clock_;
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
    CommandRunner::Hooks hooks;
    hooks.connectAction = [this] { connect(); };
    hooks.showStatus = [](StatusPanel, const QString&, bool) {};
    hooks.informationBox = [this](const QString& text) { fail(kExitRefused, text); };
    hooks.powerOn = [this] {
        if (!powerOn_) readPower();
        return powerOn_.value_or(false);
    };
    runner_ = std::make_unique<CommandRunner>(*link_, guard_, std::move(hooks));
}

Session::~Session() {
    link_->Disconnect();
}

bool Session::connect() {
    return link_->GetConnected() || link_->Connect();
}

CommandResult Session::run(const CommandRequest& request) {
    return runner_->Run(request);
}

std::optional<bool> Session::readPower() {
    const CommandResult result = run(MakeCommand(Command::GetPowerStatus));
    if (!result.succeeded()) return std::nullopt;
    powerOn_ = ReplyIsOn(result);
    return powerOn_;
}

void Session::fail(int exitCode, const QString& text) {
    if (!failure_) failure_ = Failure{exitCode, text};
}

// A reply the switcher marked 0xFF is a refusal; anything else that was not accepted is a
// line that does not carry the exchange.
int Session::refusedOrNoReply() const {
    return link_->ReplyHeader()[kStatusOffset] == kStatusRefused ? kExitRefused : kExitNoReply;
}

void Session::onNotification(const LinkNotification& n) {
    const bool com = link_->ControlMode() == cmCOM;
    switch (n.message) {
        case WM_LINK_TIMEOUT:
            fail(kExitNoReply, QStringLiteral("Time out!"));
            break;
        case WM_LINK_INVALID:
            fail(refusedOrNoReply(), QStringLiteral("Data invalid!"));
            break;
        case WM_LINK_NOREPLY:
            fail(refusedOrNoReply(), QStringLiteral("Send data failed!"));
            break;
        case WM_LINK_ERROR:
            fail(kExitNoReply, com ? QStringLiteral("COM access failed!")
                                   : QStringLiteral("TCP control failed!"));
            break;
        case WM_LINK_CONNECTFAIL: {
            QString text =
                com ? QStringLiteral("Open COM [") + link_->GetComPort() +
                          QStringLiteral("] failed")
                    : QStringLiteral("Connect ") + link_->DeviceIP() + QStringLiteral(" failed");
            if (!n.text.isEmpty()) text += QStringLiteral(": ") + n.text;
            fail(kExitCannotConnect, text);
            break;
        }
        default:
            break;
    }
}

}  // namespace cli

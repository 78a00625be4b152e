#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace devlink {
class LinkGuard;
class TVKCOMControl;
}  // namespace devlink

// The Ethernet module behind the switcher's serial port: its firmware and address, and its reset
// to defaults. Each exchange keeps the link busy; the link has told why one failed.
namespace core {

struct ModuleInfo {
    QString version;  // "1.2"
    bool dhcp = false;
    QString ip;
};

// What the operator reads: "Version: Ver1.2", "DHCP: Auto IP" (or "Static IP"),
// "IP Address: 192.168.0.100".
QStringList ModuleInfoLines(const ModuleInfo& info);

// Nothing when the module does not answer.
std::optional<ModuleInfo> queryModule(devlink::TVKCOMControl& link, devlink::LinkGuard& guard);
bool resetModule(devlink::TVKCOMControl& link, devlink::LinkGuard& guard);

}  // namespace core

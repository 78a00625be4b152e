#pragma once

#include <QString>
#include <optional>

namespace devlink {
class LinkGuard;
class TVKCOMControl;
}  // namespace devlink

namespace core {

// A TCP control device that took a new address (from DHCP, say) is looked for by its MAC in one
// short broadcast search on every interface. Its new address, or nothing: no MAC to look for,
// no answer with it, or it answered at the address already tried. Other commands are refused
// as busy while it looks.
std::optional<QString> findMovedModule(devlink::TVKCOMControl& link, devlink::LinkGuard& guard,
                                       const QString& mac);

// A MAC a saved entry can be looked for by: not empty, not the no-device one.
bool IsModuleMac(const QString& mac);

// "Matrix <tag> now answers at <ip>: use this address?"
QString MovedModuleQuestion(const QString& tag, const QString& ip);

}  // namespace core

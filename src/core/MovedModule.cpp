#include "core/MovedModule.h"

#include "lan/ModuleRecords.h"
#include "link/LinkGuard.h"
#include "link/VKCOMControl.h"

namespace core {

bool IsModuleMac(const QString& mac) {
    return !mac.isEmpty() && mac != QLatin1String("00-00-00-00-00-00");
}

std::optional<QString> findMovedModule(devlink::TVKCOMControl& link, devlink::LinkGuard& guard,
                                       const QString& mac) {
    if (!IsModuleMac(mac) || link.ControlMode() != devlink::cmLAN || link.IsSearching()) return {};
    const bool wasIdle = guard.idle();
    guard.setIdle(false);
    link.ClearFoundModules();
    link.SearchModulesBriefly();
    guard.setIdle(wasIdle);
    for (int n = 1; n <= link.FoundModuleCount(); ++n) {
        if (link.FoundModuleField(n, lan::kFieldMac).compare(mac, Qt::CaseInsensitive) != 0)
            continue;
        const QString ip = link.FoundModuleField(n, lan::kFieldIp);
        if (ip == link.DeviceIP()) return {};
        return ip;
    }
    return {};
}

QString MovedModuleQuestion(const QString& tag, const QString& ip) {
    return QStringLiteral("Matrix %1 now answers at %2: use this address?").arg(tag, ip);
}

}  // namespace core

#include "core/operations/ModuleQuery.h"

#include <span>

#include "lan/ModuleRecords.h"
#include "link/LinkGuard.h"
#include "link/VKCOMControl.h"

namespace core {

QStringList ModuleInfoLines(const ModuleInfo& info) {
    return {QStringLiteral("Version: Ver") + info.version,
            info.dhcp ? QStringLiteral("DHCP: Auto IP") : QStringLiteral("DHCP: Static IP"),
            QStringLiteral("IP Address: ") + info.ip};
}

std::optional<ModuleInfo> queryModule(devlink::TVKCOMControl& link, devlink::LinkGuard& guard) {
    const devlink::LinkBusyScope busy(guard);
    const devlink::TVKCOMControl::LdcdAnswer answer = link.ExchangeLdcd(lan::LdcdQueryRequest());
    if (!answer.ok) return std::nullopt;
    const lan::LdcdPacket& p = answer.packet;
    return ModuleInfo{
        QStringLiteral("%1.%2").arg(p[lan::kLdcdParam1Offset]).arg(p[lan::kLdcdParam2Offset]),
        p[lan::kLdcdDhcpOffset] != 0,
        lan::DottedText(std::span<const quint8, 4>(p.data() + lan::kLdcdIpOffset, 4))};
}

bool resetModule(devlink::TVKCOMControl& link, devlink::LinkGuard& guard) {
    const devlink::LinkBusyScope busy(guard);
    return link.ExchangeLdcd(lan::LdcdResetRequest()).ok;
}

}  // namespace core

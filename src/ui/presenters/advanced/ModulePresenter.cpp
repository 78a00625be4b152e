#include "ui/presenters/advanced/ModulePresenter.h"

#include <span>

#include "lan/ModuleRecords.h"

namespace ui {

ModulePresenter::ModulePresenter(core::CommandRunner& runner, devlink::TVKCOMControl& link,
                                 devlink::LinkGuard& guard, ModuleView& view)
    : runner_(runner), link_(link), guard_(guard), view_(view) {}

void ModulePresenter::btnQueryTCPModInfoClick() {
    if (runner_.LinkReady()) queryModuleInfo();
}

void ModulePresenter::queryModuleInfo() {
    {
        const devlink::LinkBusyScope busy(guard_);
        view_.setQueryEnabled(false);
        view_.showStatus(devlink::StatusPanel::Operation,
                         QStringLiteral("Query TCP Module information ..."), false);
        view_.showModuleInfo(QStringLiteral("Version: "), QStringLiteral("DHCP: "),
                             QStringLiteral("IP Address: "));
        const devlink::TVKCOMControl::LdcdAnswer answer =
            link_.ExchangeLdcd(lan::LdcdQueryRequest());
        if (answer.ok) {
            const lan::LdcdPacket& p = answer.packet;
            view_.showStatus(devlink::StatusPanel::Operation, QStringLiteral("Query TCP Module ok"),
                             false);
            view_.showModuleInfo(
                QStringLiteral("Version: Ver") + QString::number(p[lan::kLdcdParam1Offset]) +
                    QLatin1Char('.') + QString::number(p[lan::kLdcdParam2Offset]),
                p[lan::kLdcdDhcpOffset] != 0 ? QStringLiteral("DHCP: Auto IP")
                                             : QStringLiteral("DHCP: Static IP"),
                QStringLiteral("IP Address: ") +
                    lan::DottedText(std::span<const quint8, 4>(p.data() + lan::kLdcdIpOffset, 4)));
        } else {
            view_.showStatus(devlink::StatusPanel::Operation,
                             QStringLiteral("Query TCP Module failed"), true);
        }
        view_.setQueryEnabled(true);
    }
    view_.showStatus(devlink::StatusPanel::Notes, QString(), false);
}

void ModulePresenter::btnResetClick() {
    if (!runner_.LinkReady()) return;
    view_.showStatus(devlink::StatusPanel::Operation, QStringLiteral("Reset Default ..."), false);
    if (!view_.confirmReset()) {
        view_.showStatus(devlink::StatusPanel::Operation, QStringLiteral("Reset Default cancelled"),
                         false);
        return;
    }
    bool reset = false;
    {
        const devlink::LinkBusyScope busy(guard_);
        reset = link_.ExchangeLdcd(lan::LdcdResetRequest()).ok;
    }
    if (reset) {
        view_.showStatus(devlink::StatusPanel::Operation, QStringLiteral("Reset Default ok"),
                         false);
        queryModuleInfo();
    } else {
        view_.showStatus(devlink::StatusPanel::Operation, QStringLiteral("Reset Default failed"),
                         true);
    }
    view_.showStatus(devlink::StatusPanel::Notes, QString(), false);
}

}  // namespace ui

#include "ui/presenters/advanced/ModulePresenter.h"

#include "core/OperatorTexts.h"
#include "core/operations/ModuleQuery.h"

namespace ui {

ModulePresenter::ModulePresenter(core::CommandRunner& runner, devlink::TVKCOMControl& link,
                                 devlink::LinkGuard& guard, ModuleView& view)
    : runner_(runner), link_(link), guard_(guard), view_(view) {}

void ModulePresenter::btnQueryTCPModInfoClick() {
    if (runner_.LinkReady()) queryModuleInfo();
}

void ModulePresenter::queryModuleInfo() {
    view_.setQueryEnabled(false);
    view_.showStatus(devlink::StatusPanel::Operation,
                     QStringLiteral("Query TCP Module information ..."), false);
    view_.showModuleInfo(QStringLiteral("Version: "), QStringLiteral("DHCP: "),
                         QStringLiteral("IP Address: "));
    if (const std::optional<core::ModuleInfo> info = core::queryModule(link_, guard_)) {
        view_.showStatus(devlink::StatusPanel::Operation, QStringLiteral("Query TCP Module ok"),
                         false);
        const QStringList lines = core::ModuleInfoLines(*info);
        view_.showModuleInfo(lines[0], lines[1], lines[2]);
    } else {
        view_.showStatus(devlink::StatusPanel::Operation, core::ModuleQueryFailedText(), true);
    }
    view_.setQueryEnabled(true);
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
    if (core::resetModule(link_, guard_)) {
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

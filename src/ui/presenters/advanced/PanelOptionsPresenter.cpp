#include "ui/presenters/advanced/PanelOptionsPresenter.h"

#include <QScopedValueRollback>

#include "core/operations/StatusReads.h"
#include "transport/LinkTiming.h"

namespace ui {

using devlink::MakeCommand;

PanelOptionsPresenter::PanelOptionsPresenter(core::CommandRunner& runner,
                                             const devlink::LinkGuard& flags,
                                             PanelOptionsView& view, core::CommandHost& host)
    : runner_(runner), flags_(flags), view_(view), host_(host) {
    // The refusing command runs further up the stack, so its end can only be seen later.
    idleWatch_ = QObject::connect(&flags_, &devlink::LinkGuard::idleChanged, [this](bool idle) {
        if (idle) EnableWaitingGroups();
    });
}

PanelOptionsPresenter::~PanelOptionsPresenter() {
    QObject::disconnect(idleWatch_);
}

bool PanelOptionsPresenter::ReadPanelOptions() {
    return core::readOptionsInTurn(runner_, [this](core::PanelOption option, bool on) {
        const QScopedValueRollback applying(applyingDeviceState_, true);
        view_.setOptionOn(option, on);
    });
}

void PanelOptionsPresenter::tsIRShow() {
    if (host_.powerOn()) ReadPanelOptions();
}

void PanelOptionsPresenter::RadioClick(core::PanelOption option, core::OptionRadio clicked) {
    if (applyingDeviceState_) return;
    view_.showStatus(devlink::StatusPanel::Notes, QString(), false);
    view_.setOptionEnabled(option, false);
    const quint16 value = devlink::OnOffValue(view_.isOptionOn(option));
    runner_.Run(MakeCommand(core::CommandsOf(option).set, value));
    view_.setOptionEnabled(option, flags_.idle());
    if (!flags_.idle()) waitingForIdle_.insert(option);
    view_.focusOptionRadio(option, clicked);
}

void PanelOptionsPresenter::EnableWaitingGroups() {
    for (const core::PanelOption option : waitingForIdle_) view_.setOptionEnabled(option, true);
    waitingForIdle_.clear();
}

}  // namespace ui

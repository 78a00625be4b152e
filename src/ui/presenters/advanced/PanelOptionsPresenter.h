#pragma once

#include <QObject>
#include <set>

#include "core/CommandRunner.h"
#include "link/LinkGuard.h"
#include "ui/presenters/advanced/PanelOptionsView.h"

namespace ui {

// Reads and sets the switcher's IR, panel keys, APM and beeper options.
class PanelOptionsPresenter {
public:
    // The guard tells when the link is idle again, so groups refused while busy come back; the
    // host knows whether the switcher is on.
    PanelOptionsPresenter(core::CommandRunner& runner, const devlink::LinkGuard& flags,
                          PanelOptionsView& view, core::CommandHost& host);
    ~PanelOptionsPresenter();
    PanelOptionsPresenter(const PanelOptionsPresenter&) = delete;
    PanelOptionsPresenter& operator=(const PanelOptionsPresenter&) = delete;

    // Reads the options in the order IR, keys, APM, beeper, stopping at the first failure.
    bool ReadPanelOptions();
    // The "Advanced" tab was shown: read the options while the switcher is on.
    void tsIRShow();
    // A radio of the group became selected, by the operator or by program code.
    void RadioClick(core::PanelOption option, core::OptionRadio clicked);

    bool ApplyingDeviceState() const { return applyingDeviceState_; }

private:
    void EnableWaitingGroups();

    core::CommandRunner& runner_;
    const devlink::LinkGuard& flags_;
    QMetaObject::Connection idleWatch_;
    PanelOptionsView& view_;
    core::CommandHost& host_;
    bool applyingDeviceState_ = false;
    // Groups whose set command was refused while another command ran.
    std::set<core::PanelOption> waitingForIdle_;
};

}  // namespace ui

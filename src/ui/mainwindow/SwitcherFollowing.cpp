#include "ui/mainwindow/SwitcherFollowing.h"

#include "core/CommandRunner.h"
#include "ui/presenters/general/DeviceStatusPresenter.h"
#include "ui/presenters/setting/RoutingPresenter.h"

namespace ui {

using core::StateChange;

SwitcherFollowing::SwitcherFollowing(devlink::TVKCOMControl& link, devlink::LinkGuard& guard,
                                     devlink::LinkClock& clock, core::CommandRunner& runner,
                                     Pages pages, QObject* parent)
    : QObject(parent), runner_(runner), pages_(pages), follower_(link, guard, clock, state_) {
    // A child, so that the window's tests find it and drive it on their virtual clock.
    follower_.setParent(this);
    connect(&state_, &core::SwitcherState::changed, this, &SwitcherFollowing::show);
    connect(&follower_, &core::Follower::reconnecting, this, &SwitcherFollowing::reconnecting);
}

SwitcherFollowing::~SwitcherFollowing() {
    runner_.reportWritesTo(nullptr);
}

void SwitcherFollowing::setTicked(bool on) {
    ticked_ = on;
    apply();
}

void SwitcherFollowing::lineOpened() {
    open_ = true;
    apply();
}

void SwitcherFollowing::lineClosed() {
    open_ = false;
    apply();
}

void SwitcherFollowing::apply() {
    const bool on = keepsLine();
    if (on == follower_.enabled()) return;
    runner_.reportWritesTo(on ? &follower_ : nullptr);
    // What changes while nobody follows is nobody's to announce: the next first read only
    // brings the pages up to date.
    if (!on) state_.setLine(false);
    follower_.setEnabled(on);
}

std::optional<QString> SwitcherFollowing::reconnectText() const {
    const auto seconds = follower_.reconnectInSeconds();
    if (!seconds) return std::nullopt;
    return QStringLiteral("Reconnecting in %1 s").arg(*seconds);
}

void SwitcherFollowing::show(const StateChange& change) {
    // Until the line is announced, a read only catches the pages up with the switcher.
    const bool elsewhere = state_.lineUp() && change.by == core::ChangeSource::Elsewhere;
    switch (change.kind) {
        case StateChange::Kind::Line:
            if (change.on) emit lineBack();
            break;
        case StateChange::Kind::Power:
            pages_.deviceStatus.ShowPower(change.on);
            if (elsewhere)
                pages_.general.showStatus(
                    devlink::StatusPanel::Operation,
                    change.on ? QStringLiteral("Power switched on at the switcher")
                              : QStringLiteral("Power switched off at the switcher"),
                    false);
            break;
        case StateChange::Kind::Route:
            emit routeFollowed(change.number, change.input, elsewhere);
            if (elsewhere)
                pages_.general.showStatus(
                    devlink::StatusPanel::Operation,
                    QStringLiteral("Output%1 switched to Input%2 at the switcher")
                        .arg(change.number)
                        .arg(change.input),
                    false);
            break;
        case StateChange::Kind::Link:
            pages_.deviceStatus.ShowPortLink(change.side, change.number, change.link);
            break;
    }
}

}  // namespace ui

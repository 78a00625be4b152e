#pragma once

#include <QObject>
#include <QString>
#include <optional>

#include "core/Follower.h"
#include "core/SwitcherState.h"

namespace core {
class CommandRunner;
}

namespace ui {

class DeviceStatusPresenter;
class DeviceStatusView;

// "Follow changes made at the switcher": while the box is ticked and the operator keeps the
// line open, what the follower reads shows on the pages, and a lost line is reopened by itself.
// With the box unticked nothing is sent.
class SwitcherFollowing final : public QObject {
    Q_OBJECT

public:
    struct Pages {
        DeviceStatusPresenter& deviceStatus;
        DeviceStatusView& general;  // panel 2 notes go through its status texts
    };

    SwitcherFollowing(devlink::TVKCOMControl& link, devlink::LinkGuard& guard,
                      devlink::LinkClock& clock, core::CommandRunner& runner, Pages pages,
                      QObject* parent);
    ~SwitcherFollowing() override;

    void setTicked(bool on);
    // The operator opened the line, or closed it (Disconnect, another mode or device).
    void lineOpened();
    void lineClosed();
    // The line is the follower's to keep: it reopens it after a loss.
    bool keepsLine() const { return ticked_ && open_; }
    // "Reconnecting in N s" while a lost line waits for its next attempt.
    std::optional<QString> reconnectText() const;

signals:
    // The line is up, after a connect or a loss, and the whole state has been read.
    void lineBack();
    // A lost line's next attempt was set: reconnectText() has changed.
    void reconnecting();
    // A route read from the switcher, for the "Setting" page.
    void routeFollowed(int output, int input, bool elsewhere);

private:
    void apply();
    void show(const core::StateChange& change);

    core::CommandRunner& runner_;
    Pages pages_;
    core::SwitcherState state_;
    core::Follower follower_;
    bool ticked_ = false;
    bool open_ = false;
};

}  // namespace ui

#pragma once

#include <QObject>

namespace devlink {

// Process-wide guards: the window owns them, the link and the command runner read them.
// Idle is false while a command, transfer or upgrade runs; a stop, once requested when the
// window closes, ends every wait.
class LinkGuard final : public QObject {
    Q_OBJECT

public:
    bool idle() const { return idle_; }
    void setIdle(bool idle) {
        if (idle_ == idle) return;
        idle_ = idle;
        emit idleChanged(idle_);
    }
    // A background read of the follower holds the link: other operations wait their turn, and
    // nothing shows as busy.
    bool polling() const { return polling_; }
    void setPolling(bool polling) { polling_ = polling; }
    // Operations wait for the link, or one is under way between its exchanges: the follower
    // starts no read until they are done, so it delays them by one exchange at most.
    bool operationsWaiting() const { return operationsWaiting_; }
    void setOperationsWaiting(bool waiting) { operationsWaiting_ = waiting; }
    bool stopRequested() const { return stopRequested_; }
    void requestStop() { stopRequested_ = true; }

signals:
    void idleChanged(bool idle);

private:
    bool idle_ = true;
    bool polling_ = false;
    bool operationsWaiting_ = false;
    bool stopRequested_ = false;
};

// Marks the link busy for one scope.
class LinkBusyScope {
public:
    explicit LinkBusyScope(LinkGuard& guard) : guard_(guard) { guard_.setIdle(false); }
    ~LinkBusyScope() { guard_.setIdle(true); }
    LinkBusyScope(const LinkBusyScope&) = delete;
    LinkBusyScope& operator=(const LinkBusyScope&) = delete;

private:
    LinkGuard& guard_;
};

}  // namespace devlink

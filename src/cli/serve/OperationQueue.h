#pragma once

#include <QObject>
#include <QTimer>
#include <deque>
#include <functional>

namespace devlink {
class LinkGuard;
}

namespace cli::serve {

// Runs the bridge's operations one at a time, in the order they came. An operation pumps the
// event loop while it waits for the switcher, so a request that arrives then is queued here
// and run after it, never inside it; the follower's own reads are waited out the same way.
class OperationQueue final : public QObject {
public:
    static constexpr int kCapacity = 16;
    // The follower's exchange in flight, if any, is over within a few milliseconds.
    static constexpr int kRecheckMs = 1;

    explicit OperationQueue(devlink::LinkGuard& guard);
    ~OperationQueue() override;

    // False, and nothing queued, when kCapacity operations already wait.
    bool submit(std::function<void()> operation);
    qsizetype waiting() const { return waiting_.size(); }

private:
    void runNext();

    devlink::LinkGuard& guard_;
    std::deque<std::function<void()>> waiting_;
    bool running_ = false;
    QTimer recheck_;
};

}  // namespace cli::serve

#include "cli/serve/OperationQueue.h"

#include "link/LinkGuard.h"

namespace cli::serve {

OperationQueue::OperationQueue(devlink::LinkGuard& guard) : guard_(guard) {
    recheck_.setSingleShot(true);
    connect(&recheck_, &QTimer::timeout, this, &OperationQueue::runNext);
}

OperationQueue::~OperationQueue() {
    guard_.setOperationsWaiting(false);
}

bool OperationQueue::submit(std::function<void()> operation) {
    if (waiting_.size() >= kCapacity) return false;
    waiting_.push_back(std::move(operation));
    guard_.setOperationsWaiting(true);
    // Started from the event loop, so a caller inside another operation's wait returns first.
    if (!running_) QMetaObject::invokeMethod(this, &OperationQueue::runNext, Qt::QueuedConnection);
    return true;
}

void OperationQueue::runNext() {
    if (running_ || waiting_.empty()) return;
    if (!guard_.idle() || guard_.polling()) {
        recheck_.start(kRecheckMs);
        return;
    }
    std::function<void()> operation = std::move(waiting_.front());
    waiting_.pop_front();
    running_ = true;
    operation();
    running_ = false;
    guard_.setOperationsWaiting(!waiting_.empty());
    if (!waiting_.empty())
        QMetaObject::invokeMethod(this, &OperationQueue::runNext, Qt::QueuedConnection);
}

}  // namespace cli::serve

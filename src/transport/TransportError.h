#pragma once

#include <QString>
#include <functional>
#include <stdexcept>

namespace devlink {

// Raised by transports; the link catches it and turns it into a notification.
class TransportError : public std::runtime_error {
public:
    explicit TransportError(const QString& message, QString cause = {})
        : std::runtime_error(message.toStdString()), message_(message), cause_(std::move(cause)) {}
    const QString& message() const { return message_; }
    // What the operator can act on, such as "permission denied"; empty when nothing helps.
    const QString& cause() const { return cause_; }

private:
    QString message_;
    QString cause_;
};

// A line that can go away by itself: an unplugged adapter, a module that hangs up.
// The transport is already closed when it reports the loss; a close asked for by
// the link is never reported.
class LineLossReporter {
public:
    void setLossHandler(std::function<void()> handler) { lost_ = std::move(handler); }

protected:
    void reportLoss() {
        if (lost_) lost_();
    }

private:
    std::function<void()> lost_;
};

}  // namespace devlink

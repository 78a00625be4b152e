#pragma once

#include <QString>
#include <stdexcept>

namespace cli {

// Ends a command before (or instead of) anything more is sent: a wrong argument, a file that
// cannot be used, a connection that cannot be chosen.
class Rejection : public std::runtime_error {
public:
    Rejection(int exitCode, const QString& text)
        : std::runtime_error(text.toStdString()), exitCode_(exitCode), text_(text) {}
    int exitCode() const { return exitCode_; }
    const QString& text() const { return text_; }

private:
    int exitCode_;
    QString text_;
};

}  // namespace cli

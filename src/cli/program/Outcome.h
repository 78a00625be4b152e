#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>

#include "cli/program/ExitCode.h"

namespace cli {

// What one command produced: lines for people, keys for the JSON document, and, when it did
// not complete, the exit status and the one line that says why.
struct Outcome {
    QStringList lines;
    QJsonObject json;
    bool completed = true;
    bool streamed = false;  // the command printed its lines as they happened
    int exitCode = kExitDone;
    QString error;

    // A command that stops before anything is sent, or on a file it cannot use.
    static Outcome rejected(int exitCode, const QString& error) {
        Outcome outcome;
        outcome.completed = false;
        outcome.exitCode = exitCode;
        outcome.error = error;
        return outcome;
    }
    // Stops a command whose failure the link has already reported to the session.
    Outcome& stop() {
        completed = false;
        return *this;
    }
};

}  // namespace cli

#pragma once

// What the bench programs share: starting a program and reading what it says it serves, and
// waiting on the event loop.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <functional>

// Starts a program and returns the first capture of `pattern` in its output; empty when the
// program ends or stays silent first.
inline QString StartAndMatch(QProcess& process, const QString& program,
                             const QStringList& arguments, const QString& pattern) {
    process.start(program, arguments);
    const QRegularExpression expression(pattern);
    QString text;
    while (process.waitForReadyRead(10000)) {
        text += QString::fromUtf8(process.readAllStandardOutput());
        const QRegularExpressionMatch match = expression.match(text);
        if (match.hasMatch()) return match.captured(1);
    }
    return {};
}

// matrix-sim without its frame log; the rest of the line that starts with `prefix`.
inline QString StartSimulator(QProcess& sim, const QStringList& arguments, const QString& prefix) {
    return StartAndMatch(sim, QStringLiteral(MATRIX_SIM_PATH),
                         QStringList{QStringLiteral("--quiet")} + arguments,
                         QRegularExpression::escape(prefix) + QStringLiteral("(\\S+)"));
}

// Runs the event loop until `done` holds or the time is up.
inline bool WaitUntil(const std::function<bool()>& done, int limitMs) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < limitMs)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    return done();
}

#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace ctltest {

enum class Transport { Pty, Tcp };

struct RunResult {
    int exitCode = -1;
    QString out;
    QString err;
};

// One matrix-sim program serving a pseudo-terminal or a TCP port on a loopback address, and
// matrixctl runs against it with a Settings.ini of the test's own.
class CtlHarness {
public:
    explicit CtlHarness(Transport transport, QStringList simArgs = {},
                        const QString& tcpAddress = QStringLiteral("127.0.0.1"),
                        quint16 tcpPort = 0);
    ~CtlHarness();

    bool started() const { return !where_.isEmpty(); }
    // "--serial PATH" or "--tcp ADDRESS:PORT".
    QStringList targetArgs() const;
    QString ptyPath() const { return transport_ == Transport::Pty ? where_ : QString(); }
    QString settingsPath() const { return dir_.filePath(QStringLiteral("Settings.ini")); }
    QString filePath(const QString& name) const { return dir_.filePath(name); }
    void writeSettings(const QByteArray& text) const;

    // matrixctl with the target and the settings file before `args`.
    RunResult run(const QStringList& args) const;
    // matrixctl with exactly these arguments.
    RunResult runBare(const QStringList& args) const;
    // What the simulator printed since the last call.
    QString simOutput();

private:
    Transport transport_;
    QTemporaryDir dir_;
    QProcess sim_;
    QString where_;
    QString simText_;
};

}  // namespace ctltest

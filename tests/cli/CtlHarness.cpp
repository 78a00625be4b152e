#include "CtlHarness.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QRegularExpression>

namespace ctltest {

namespace {

constexpr int kWaitMs = 60000;

}  // namespace

CtlHarness::CtlHarness(Transport transport, QStringList simArgs, const QString& tcpAddress,
                       quint16 tcpPort)
    : transport_(transport) {
    if (transport == Transport::Tcp)
        simArgs << QStringLiteral("--tcp") << tcpAddress << QStringLiteral("--port")
                << QString::number(tcpPort);
    sim_.setProcessChannelMode(QProcess::MergedChannels);
    sim_.start(QStringLiteral(MATRIX_SIM_PATH), simArgs);
    if (!sim_.waitForStarted(kWaitMs)) return;
    const QRegularExpression ready(transport == Transport::Pty ? QStringLiteral("PTY (\\S+)")
                                                               : QStringLiteral("TCP (\\S+)"));
    const QDeadlineTimer deadline(kWaitMs);
    while (!deadline.hasExpired()) {
        const QRegularExpressionMatch match = ready.match(simText_);
        if (match.hasMatch()) {
            where_ = match.captured(1);
            simText_.clear();
            return;
        }
        sim_.waitForReadyRead(100);
        simText_ += QString::fromUtf8(sim_.readAll());
    }
}

CtlHarness::~CtlHarness() {
    sim_.kill();
    sim_.waitForFinished(kWaitMs);
}

QStringList CtlHarness::targetArgs() const {
    return {transport_ == Transport::Pty ? QStringLiteral("--serial") : QStringLiteral("--tcp"),
            where_};
}

void CtlHarness::writeSettings(const QByteArray& text) const {
    QFile file(settingsPath());
    if (file.open(QIODevice::WriteOnly)) file.write(text);
}

RunResult CtlHarness::run(const QStringList& args) const {
    return runBare(targetArgs() + QStringList{QStringLiteral("--settings"), settingsPath()} + args);
}

RunResult CtlHarness::runBare(const QStringList& args) const {
    QProcess ctl;
    ctl.start(QStringLiteral(MATRIXCTL_PATH), args);
    RunResult result;
    if (!ctl.waitForStarted(kWaitMs) || !ctl.waitForFinished(kWaitMs)) return result;
    result.exitCode = ctl.exitStatus() == QProcess::NormalExit ? ctl.exitCode() : -1;
    result.out = QString::fromUtf8(ctl.readAllStandardOutput());
    result.err = QString::fromUtf8(ctl.readAllStandardError());
    return result;
}

QString CtlHarness::simOutput() {
    sim_.waitForReadyRead(50);
    simText_ += QString::fromUtf8(sim_.readAll());
    return std::exchange(simText_, QString());
}

}  // namespace ctltest

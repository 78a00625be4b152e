// Figures of following a switcher that changes at its front panel, against the simulator with
// wire-time emulation: how soon a panel change is announced at the first interval, how much of
// the line the follower's reads take meanwhile, and what the real window costs while it follows
// a switcher on which nothing changes.
#include <sys/stat.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "BenchSupport.h"
#include "core/Follower.h"
#include "link/LinkNotification.h"
#include "link/VKCOMControl.h"
#include "transport/ComPort.h"
#include "transport/EventLoopPump.h"

using namespace devlink;

namespace {

constexpr double kMsPerByte = 10.0 * 1000.0 / 57600.0;
constexpr int kSamples = 15;
constexpr int kIdleSeconds = 20;
constexpr int kWaitMs = 15000;

double Percentile(std::vector<double> values, double share) {
    std::sort(values.begin(), values.end());
    const auto at = static_cast<std::size_t>(share * static_cast<double>(values.size() - 1) + 0.5);
    return values[at];
}

// Panel changes at random moments, each announced by the follower; the bytes the link received
// meanwhile tell the share of the line the reads took.
bool MeasureLatencyAndWireShare(const QString& fifo) {
    QProcess sim;
    const QString pty =
        StartSimulator(sim, {QStringLiteral("--wire-time"), QStringLiteral("--panel"), fifo},
                       QStringLiteral("PTY "));
    LinkGuard guard;
    EventLoopPump pump;
    SteadyClock clock;
    auto port = std::make_unique<TComPort>();
    port->setPortName(pty);
    TVKCOMControl link({std::move(port), nullptr, &pump, &clock, &guard});
    link.SetControlMode(cmCOM);
    if (pty.isEmpty() || !link.Connect()) return false;
    qint64 receivedBytes = 0;
    QObject::connect(&link, &TVKCOMControl::notified, [&](const LinkNotification& n) {
        if (n.message == WM_LINK_RXCOUNT) receivedBytes += n.wParam;
    });
    core::SwitcherState state;
    core::Follower follower(link, guard, clock, state);
    std::optional<std::pair<int, int>> seen;
    QObject::connect(&state, &core::SwitcherState::changed, [&](const core::StateChange& c) {
        if (c.kind == core::StateChange::Kind::Route) seen = {c.number, c.input};
    });
    follower.setEnabled(true);
    QFile panel(fifo);
    if (!WaitUntil([&] { return state.lineUp(); }, kWaitMs) || !panel.open(QIODevice::WriteOnly))
        return false;

    std::vector<double> latencyMs;
    QElapsedTimer run;
    run.start();
    receivedBytes = 0;
    for (int i = 0; i < kSamples; ++i) {
        WaitUntil([] { return false; }, QRandomGenerator::global()->bounded(2000));
        const int output = i % 6 + 1;
        const int input = state.route(output).value_or(1) % 6 + 1;
        seen.reset();
        QElapsedTimer change;
        change.start();
        panel.write(QStringLiteral("route %1 %2\n").arg(output).arg(input).toLatin1());
        panel.flush();
        const std::pair wanted{output, input};
        if (!WaitUntil([&] { return seen == wanted; }, kWaitMs)) return false;
        latencyMs.push_back(static_cast<double>(change.nsecsElapsed()) / 1e6);
    }
    const double wireMs = 2.0 * static_cast<double>(receivedBytes) * kMsPerByte;
    std::printf("follow_latency: p50_ms=%.0f p95_ms=%.0f interval_ms=%d\n",
                Percentile(latencyMs, 0.5), Percentile(latencyMs, 0.95),
                core::Follower::kFirstIntervalMs);
    std::printf("follow_wire_share: percent=%.2f\n",
                100.0 * wireMs / static_cast<double>(run.elapsed()));
    std::fflush(stdout);
    follower.setEnabled(false);
    link.Disconnect();
    sim.terminate();
    sim.waitForFinished(3000);
    return true;
}

qint64 CpuNsOf(qint64 pid) {
    qint64 total = 0;
    const QString taskDir = QStringLiteral("/proc/%1/task").arg(pid);
    for (const QString& task : QDir(taskDir).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile schedstat(taskDir + '/' + task + QStringLiteral("/schedstat"));
        if (schedstat.open(QIODevice::ReadOnly))
            total += schedstat.readAll().split(' ')[0].toLongLong();
    }
    return total;
}

bool AwaitLine(QProcess& process, const QByteArray& prefix) {
    while (process.state() != QProcess::NotRunning) {
        while (process.canReadLine())
            if (process.readLine().startsWith(prefix)) return true;
        if (!process.waitForReadyRead(kWaitMs)) break;
    }
    return false;
}

// The real window in TCP control mode, following the simulator behind a module address of its
// own; a copy of the program in a folder of its own keeps its settings file there.
bool MeasureWindowIdle(const QTemporaryDir& dir) {
    const QString address = QStringLiteral("127.0.0.77");
    QProcess sim;
    if (StartSimulator(sim,
                       {QStringLiteral("--wire-time"), QStringLiteral("--tcp"), address,
                        QStringLiteral("--port"), QStringLiteral("8000")},
                       QStringLiteral("TCP "))
            .isEmpty())
        return false;
    const QString program = dir.filePath(QStringLiteral("gui-controller"));
    QFile::remove(program);
    if (!QFile::copy(QStringLiteral(GUI_CONTROLLER_PATH), program)) return false;
    QFile settings(dir.filePath(QStringLiteral("Settings.ini")));
    if (!settings.open(QIODevice::WriteOnly)) return false;
    const QByteArray entry =
        "[Bench]-[Static IP]-[" + address.toLatin1() + "]-[00-1A-2B-3C-4D-77]-[Same Subnet]";
    settings.write("[Control mode]\nMode=1\n[TCP control device]\nName=" + entry +
                   "\n[TCP control device list]\nDevice No.1=" + entry +
                   "\n[Follow switcher]\nEnabled=1\n");
    settings.close();

    QProcess window;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(FIRST_PAINT_HOOK_PATH));
    window.setProcessEnvironment(env);
    window.setStandardErrorFile(QProcess::nullDevice());
    window.start(program, {});
    bool ok = AwaitLine(window, "painted ");
    window.write("click btnConnect\n");
    ok = ok && AwaitLine(window, "clicked");
    // The first full read, then the interval grows to its longest while nothing changes.
    QThread::sleep(3);
    const qint64 before = CpuNsOf(window.processId());
    QElapsedTimer idle;
    idle.start();
    QThread::sleep(kIdleSeconds);
    const double cpuMs = static_cast<double>(CpuNsOf(window.processId()) - before) / 1e6;
    std::printf("follow_idle: cpu_ms_per_s=%.2f%s\n",
                cpuMs / (static_cast<double>(idle.elapsed()) / 1000.0), ok ? "" : " (FAILED)");
    std::fflush(stdout);
    window.write("quit\n");
    if (!window.waitForFinished(5000)) window.kill();
    sim.terminate();
    sim.waitForFinished(3000);
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("panel"));
    if (!dir.isValid() || ::mkfifo(QFile::encodeName(fifo).constData(), 0600) != 0) {
        std::fprintf(stderr, "no panel pipe in %s\n", qPrintable(dir.path()));
        return 2;
    }
    bool ok = MeasureLatencyAndWireShare(fifo);
    if (!ok) std::fprintf(stderr, "the follower did not see the panel's changes\n");
    ok &= MeasureWindowIdle(dir);
    return ok ? 0 : 1;
}

// Start-up, idle cost and memory of the real window (gui-controller) against an empty Qt Widgets
// window, on the offscreen platform; start-up also against the General page alone. A preloaded
// hook (FirstPaintHook.cpp) tells when each program has painted its first window and shows every
// tab on request; the rest is read from /proc.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <memory>
#include <vector>

namespace {

constexpr int kStartupRounds = 9;
constexpr int kIdleSeconds = 20;
constexpr int kSettleMs = 1500;  // after the first paint: the window's show step and first tick
constexpr int kReplyTimeoutMs = 30000;

qint64 monotonicNs() {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64{now.tv_sec} * 1'000'000'000 + now.tv_nsec;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// What the kernel counts for all threads of a process.
struct Usage {
    qint64 cpuNs = 0;
    qint64 wakeups = 0;  // voluntary context switches: each sleep ends in a wake-up
};

qint64 fieldOf(const QByteArray& status, const QByteArray& key) {
    const qsizetype at = status.indexOf(key);
    if (at < 0) return 0;
    return status.mid(at + key.size())
        .trimmed()
        .split('\n')
        .value(0)
        .split(' ')
        .value(0)
        .toLongLong();
}

Usage usageOf(qint64 pid) {
    Usage usage;
    const QString taskDir = QStringLiteral("/proc/%1/task").arg(pid);
    for (const QString& task : QDir(taskDir).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile schedstat(taskDir + '/' + task + QStringLiteral("/schedstat"));
        if (schedstat.open(QIODevice::ReadOnly))
            usage.cpuNs += schedstat.readAll().split(' ')[0].toLongLong();
        QFile status(taskDir + '/' + task + QStringLiteral("/status"));
        if (status.open(QIODevice::ReadOnly)) {
            usage.wakeups += fieldOf(status.readAll(), "\nvoluntary_ctxt_switches:");
        }
    }
    return usage;
}

double peakMiB(qint64 pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    return static_cast<double>(fieldOf(status.readAll(), "\nVmHWM:")) / 1024.0;
}

// One run of a window program with the hook preloaded.
class WindowRun {
public:
    explicit WindowRun(const QString& program) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(FIRST_PAINT_HOOK_PATH));
        process_.setProcessEnvironment(env);
        process_.setProcessChannelMode(QProcess::SeparateChannels);
        process_.setStandardErrorFile(QProcess::nullDevice());
        startNs_ = monotonicNs();
        process_.start(program, {});
    }
    ~WindowRun() {
        process_.write("quit\n");
        if (!process_.waitForFinished(5000)) {
            process_.kill();
            process_.waitForFinished(5000);
        }
    }

    // ms from the start of the process to its first flushed paint; negative if it never came.
    double startupMs() {
        const QByteArray line = awaitLine("painted ");
        if (line.isEmpty()) return -1;
        return static_cast<double>(line.mid(8).trimmed().toLongLong() - startNs_) / 1e6;
    }
    bool showEveryTab() {
        process_.write("tabs\n");
        return !awaitLine("tabs-shown").isEmpty();
    }
    qint64 pid() const { return process_.processId(); }

private:
    QByteArray awaitLine(const QByteArray& prefix) {
        while (process_.state() != QProcess::NotRunning || process_.canReadLine()) {
            while (process_.canReadLine()) {
                const QByteArray line = process_.readLine();
                if (line.startsWith(prefix)) return line;
            }
            if (!process_.waitForReadyRead(kReplyTimeoutMs)) break;
        }
        std::fprintf(stderr, "%s: no \"%s\" line\n", qPrintable(process_.program()),
                     prefix.constData());
        return {};
    }

    QProcess process_;
    qint64 startNs_ = 0;
};

struct IdleFigures {
    double cpuMsPerS = 0;
    double wakeupsPerS = 0;
    double peakMiB = 0;
};

// Both programs idle side by side, then show every tab for the memory peak.
std::pair<IdleFigures, IdleFigures> idleAndMemory(const QString& window, const QString& empty) {
    WindowRun real(window);
    WindowRun base(empty);
    if (real.startupMs() < 0 || base.startupMs() < 0) return {};
    QThread::msleep(kSettleMs);
    const Usage realBefore = usageOf(real.pid());
    const Usage baseBefore = usageOf(base.pid());
    const qint64 startNs = monotonicNs();
    QThread::sleep(kIdleSeconds);
    const Usage realAfter = usageOf(real.pid());
    const Usage baseAfter = usageOf(base.pid());
    const double seconds = static_cast<double>(monotonicNs() - startNs) / 1e9;
    const auto figures = [seconds](const Usage& before, const Usage& after) {
        return IdleFigures{static_cast<double>(after.cpuNs - before.cpuNs) / 1e6 / seconds,
                           static_cast<double>(after.wakeups - before.wakeups) / seconds, 0};
    };
    auto result = std::pair{figures(realBefore, realAfter), figures(baseBefore, baseAfter)};
    if (real.showEveryTab()) result.first.peakMiB = peakMiB(real.pid());
    if (base.showEveryTab()) result.second.peakMiB = peakMiB(base.pid());
    return result;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString window = QStringLiteral(GUI_CONTROLLER_PATH);
    const QString empty = QStringLiteral(EMPTY_WINDOW_PATH);
    const QString pageOnly = QStringLiteral(GENERAL_PAGE_WINDOW_PATH);

    // In turn, so a burst of load on the machine falls on each alike.
    std::vector<double> measured;
    std::vector<double> baseline;
    std::vector<double> floor;
    for (int round = 0; round < kStartupRounds; ++round) {
        measured.push_back(WindowRun(window).startupMs());
        baseline.push_back(WindowRun(empty).startupMs());
        floor.push_back(WindowRun(pageOnly).startupMs());
    }
    const auto failed = [](const std::vector<double>& runs) {
        return std::any_of(runs.begin(), runs.end(), [](double ms) { return ms < 0; });
    };
    if (failed(measured) || failed(baseline) || failed(floor)) return 1;
    const double measuredMs = median(measured);
    const double emptyMs = median(baseline);
    const double pageOnlyMs = median(floor);
    std::printf("startup: measured_ms=%.1f empty_ms=%.1f ratio=%.2f\n", measuredMs, emptyMs,
                measuredMs / emptyMs);
    // The first page alone, without the program: the part of the ratio the program cannot shed
    // without showing the operator less.
    std::printf("startup-floor: general_page_ms=%.1f ratio=%.2f program_ms=%.1f\n", pageOnlyMs,
                pageOnlyMs / emptyMs, measuredMs - pageOnlyMs);
    std::fflush(stdout);

    const auto [real, base] = idleAndMemory(window, empty);
    std::printf("idle: cpu_ms_per_s=%.2f empty_cpu_ms_per_s=%.2f wakeups_per_s=%.2f\n",
                real.cpuMsPerS, base.cpuMsPerS, real.wakeupsPerS);
    std::printf("memory: peak_mib=%.1f empty_peak_mib=%.1f\n", real.peakMiB, base.peakMiB);
    return real.peakMiB > 0 && base.peakMiB > 0 ? 0 : 1;
}

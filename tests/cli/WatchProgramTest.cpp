// matrixctl watch against the matrix-sim program, whose front panel changes a route.
#include <gtest/gtest.h>

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include "CtlHarness.h"
#include "support/EventWait.h"

namespace {

using ctltest::CtlHarness;
using ctltest::Transport;

class WatchProgram : public ::testing::TestWithParam<Transport> {};

// Reads matrixctl's lines as they come and answers whether one like `wanted` arrived.
struct LineReader {
    QProcess& process;
    QStringList lines;
    bool has(const QJsonObject& wanted) {
        while (process.canReadLine()) lines << QString::fromUtf8(process.readLine()).trimmed();
        for (const QString& line : lines) {
            const QJsonObject event = QJsonDocument::fromJson(line.toUtf8()).object();
            bool all = true;
            for (auto it = wanted.begin(); it != wanted.end(); ++it)
                all = all && event.value(it.key()) == it.value();
            if (all) return true;
        }
        return false;
    }
    // Waits until such a line arrives.
    bool arrives(const QJsonObject& wanted, int limitMs = 20000) {
        return testing_support::ProcessEventsUntil(
            [&] {
                process.waitForReadyRead(50);
                return has(wanted);
            },
            limitMs);
    }
};

TEST_P(WatchProgram, StreamsTheStateThenAPanelChangeAndEndsCleanlyOnSigterm) {
    QTemporaryDir dir;
    const QString panel = dir.filePath(QStringLiteral("panel"));
    CtlHarness harness(GetParam(), {QStringLiteral("--panel"), panel});
    ASSERT_TRUE(harness.started());
    QProcess watch;
    watch.start(
        QStringLiteral(MATRIXCTL_PATH),
        harness.targetArgs() + QStringList{QStringLiteral("--json"), QStringLiteral("--interval"),
                                           QStringLiteral("1"), QStringLiteral("watch")});
    LineReader reader{watch, {}};
    ASSERT_TRUE(reader.arrives({{QStringLiteral("event"), QStringLiteral("state")},
                                {QStringLiteral("model"), QStringLiteral("HDMI Matrix")}}))
        << reader.lines.join('\n').toStdString();

    QFile fifo(panel);
    ASSERT_TRUE(fifo.open(QIODevice::WriteOnly));
    fifo.write("route 3 5\n");
    fifo.close();
    EXPECT_TRUE(reader.arrives({{QStringLiteral("event"), QStringLiteral("route")},
                                {QStringLiteral("output"), 3},
                                {QStringLiteral("input"), 5},
                                {QStringLiteral("by"), QStringLiteral("switcher")}}))
        << reader.lines.join('\n').toStdString();

    watch.terminate();
    ASSERT_TRUE(watch.waitForFinished(5000));
    EXPECT_EQ(watch.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(watch.exitCode(), 0);
}

// A simulator that can be killed and started again where it was: the same TCP port, or a new
// terminal behind the same link name, as an adapter that comes back.
class RestartableSim {
public:
    RestartableSim(Transport transport, const QString& linkPath) : transport_(transport) {
        arguments_ = {QStringLiteral("--quiet")};
        arguments_ += transport == Transport::Tcp
                          ? QStringList{QStringLiteral("--tcp"), QStringLiteral("127.0.0.1"),
                                        QStringLiteral("--port"), QStringLiteral("0")}
                          : QStringList{QStringLiteral("--link"), linkPath};
        const QString where = start();
        target_ = transport == Transport::Tcp ? QStringList{QStringLiteral("--tcp"), where}
                                              : QStringList{QStringLiteral("--serial"), linkPath};
        // Started again on the port it was given the first time.
        if (transport == Transport::Tcp) arguments_.last() = where.section(u':', -1);
    }
    ~RestartableSim() { kill(); }
    QStringList target() const { return target_; }
    void kill() {
        sim_.kill();
        sim_.waitForFinished(5000);
    }
    bool restart() { return !start().isEmpty(); }

private:
    QString start() {
        sim_.start(QStringLiteral(MATRIX_SIM_PATH), arguments_);
        const QString prefix =
            transport_ == Transport::Tcp ? QStringLiteral("TCP ") : QStringLiteral("PTY ");
        while (sim_.waitForReadyRead(5000)) {
            while (sim_.canReadLine()) {
                const QString line = QString::fromUtf8(sim_.readLine()).trimmed();
                if (line.startsWith(prefix)) return line.mid(prefix.size());
            }
        }
        return {};
    }

    Transport transport_;
    QStringList arguments_;
    QStringList target_;
    QProcess sim_;
};

TEST_P(WatchProgram, ASwitcherKilledAndStartedAgainIsReconnectedAndResynced) {
    QTemporaryDir dir;
    RestartableSim sim(GetParam(), dir.filePath(QStringLiteral("ttyMatrix")));
    QProcess watch;
    watch.start(QStringLiteral(MATRIXCTL_PATH),
                sim.target() + QStringList{QStringLiteral("--settings"),
                                           dir.filePath(QStringLiteral("Settings.ini")),
                                           QStringLiteral("--json"), QStringLiteral("watch")});
    LineReader reader{watch, {}};
    const auto line = [](const char* state) {
        return QJsonObject{{QStringLiteral("event"), QStringLiteral("line")},
                           {QStringLiteral("state"), QLatin1String(state)}};
    };
    ASSERT_TRUE(reader.arrives({{QStringLiteral("event"), QStringLiteral("state")}}))
        << reader.lines.join('\n').toStdString();
    sim.kill();
    ASSERT_TRUE(reader.arrives(line("lost"))) << reader.lines.join('\n').toStdString();
    ASSERT_TRUE(sim.restart());
    EXPECT_TRUE(reader.arrives(line("back"))) << reader.lines.join('\n').toStdString();
    EXPECT_EQ(watch.state(), QProcess::Running) << "a watch never ends on its own";

    watch.terminate();
    ASSERT_TRUE(watch.waitForFinished(5000));
    EXPECT_EQ(watch.exitCode(), 0);
}

INSTANTIATE_TEST_SUITE_P(BothLinks, WatchProgram, ::testing::Values(Transport::Pty, Transport::Tcp),
                         [](const auto& info) {
                             return info.param == Transport::Pty ? "pty" : "tcp";
                         });

}  // namespace

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
    const auto arrives = [&](const QJsonObject& wanted) {
        return testing_support::ProcessEventsUntil(
            [&] {
                watch.waitForReadyRead(50);
                return reader.has(wanted);
            },
            15000);
    };
    ASSERT_TRUE(arrives({{QStringLiteral("event"), QStringLiteral("state")},
                         {QStringLiteral("model"), QStringLiteral("HDMI Matrix")}}))
        << reader.lines.join('\n').toStdString();

    QFile fifo(panel);
    ASSERT_TRUE(fifo.open(QIODevice::WriteOnly));
    fifo.write("route 3 5\n");
    fifo.close();
    EXPECT_TRUE(arrives({{QStringLiteral("event"), QStringLiteral("route")},
                         {QStringLiteral("output"), 3},
                         {QStringLiteral("input"), 5},
                         {QStringLiteral("by"), QStringLiteral("switcher")}}))
        << reader.lines.join('\n').toStdString();

    watch.terminate();
    ASSERT_TRUE(watch.waitForFinished(5000));
    EXPECT_EQ(watch.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(watch.exitCode(), 0);
}

INSTANTIATE_TEST_SUITE_P(BothLinks, WatchProgram, ::testing::Values(Transport::Pty, Transport::Tcp),
                         [](const auto& info) {
                             return info.param == Transport::Pty ? "pty" : "tcp";
                         });

}  // namespace

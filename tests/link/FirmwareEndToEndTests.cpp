// A whole upgrade through the real programs: fw-merge builds the file, the link sends its
// sections over a pseudo-terminal to matrix-sim, which keeps what it received.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <functional>

#include "firmware/FirmwareFile.h"
#include "firmware/FirmwareTransfer.h"
#include "lan/TcpStreamClient.h"
#include "link/VKCOMControl.h"
#include "sim/SimServer.h"
#include "support/FastClock.h"
#include "support/SimHarness.h"
#include "transport/ComPort.h"
#include "transport/EventLoopPump.h"

using namespace devlink;

namespace {

constexpr int kProgramWaitMs = 10000;

QByteArray Image(int size, int seed) {
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 29 + seed) ^ (i >> 7));
    return bytes;
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class FirmwareOverPty : public ::testing::Test {
protected:
    void startSimulator(const QStringList& arguments) {
        sim_.start(QStringLiteral(MATRIX_SIM_PATH),
                   QStringList{QStringLiteral("--quiet")} + arguments);
        ASSERT_TRUE(sim_.waitForStarted(kProgramWaitMs));
        QString pty;
        while (pty.isEmpty() && sim_.waitForReadyRead(kProgramWaitMs)) {
            while (sim_.canReadLine()) {
                const QString line = QString::fromUtf8(sim_.readLine()).trimmed();
                if (line.startsWith(QStringLiteral("PTY "))) pty = line.mid(4);
            }
        }
        ASSERT_FALSE(pty.isEmpty());
        auto port = std::make_unique<TComPort>();
        port->setPortName(pty);
        link_ = std::make_unique<TVKCOMControl>(
            TVKCOMControl::Parts{std::move(port), nullptr, &pump_, clock_.get(), &flags_});
        observer_.listenTo(*link_);
        link_->SetControlMode(cmCOM);
        ASSERT_TRUE(link_->Connect());
    }
    void TearDown() override {
        link_.reset();
        sim_.kill();
        sim_.waitForFinished(kProgramWaitMs);
    }

    QTemporaryDir dir_;
    QProcess sim_;
    LinkGuard flags_;
    EventLoopPump pump_;
    std::unique_ptr<LinkClock> clock_ = std::make_unique<testing_support::FastClock>();
    testing_support::RecordingObserver observer_;
    std::unique_ptr<TVKCOMControl> link_;
};

TEST_F(FirmwareOverPty, MergedImagesReachTheSwitcherWhichComesBackWithTheNewVersion) {
    const QByteArray main = Image(5000, 1);
    const QByteArray slave = Image(777, 2);
    const QString mainPath = dir_.filePath("main.bin");
    const QString slavePath = dir_.filePath("slave.bin");
    for (const auto& [path, bytes] : {std::pair{mainPath, main}, std::pair{slavePath, slave}}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QProcess merge;
    merge.start(QStringLiteral(FW_MERGE_PATH),
                {"--main", mainPath, "--main-ver", "3.7", "--slave1", slavePath, "--slave1-ver",
                 "1.4", "--out-dir", dir_.path()});
    ASSERT_TRUE(merge.waitForFinished(kProgramWaitMs));
    ASSERT_EQ(merge.exitCode(), 0) << merge.readAllStandardError().toStdString();
    const auto file = device::ReadFirmwareFile(dir_.filePath("Vorpanix_mm3.7_ms1.4.fw"));
    ASSERT_TRUE(file.ok());

    const QString received = dir_.filePath("received");
    ASSERT_TRUE(QDir().mkdir(received));
    startSimulator({"--reboot-ms", "300", "--fw-dir", received});
    FirmwareTransfer transfer(*link_);
    device::FirmwareReader reader(file.bytes);
    int sections = 0;
    while (!reader.AtEnd()) {
        const device::SectionHeaderRead header = reader.ReadSectionHeader();
        ASSERT_TRUE(header.good());
        link_->OutStream() = reader.ReadSectionImage(header);
        const CommandResult r = header.fields().code == 1 ? transfer.WritePartStaged(header.frame())
                                                          : transfer.WritePart(header.frame());
        ASSERT_EQ(r.ok, 1) << header.label().toStdString();
        ++sections;
    }
    EXPECT_EQ(sections, 2);
    ASSERT_EQ(link_->Transact(BuildFrame(0x80, 0x02, 0x0F)).ok, 1);
    EXPECT_EQ(transfer.RebootWait().ok, 1);

    EXPECT_EQ(ReadAll(received + "/Part_1.1.3.7.bin"), main);
    EXPECT_EQ(ReadAll(received + "/Part_2.1.1.4.bin"), slave);
    const CommandResult version = link_->Transact(BuildFrame(0x01, 0x03, 0xFE));
    EXPECT_EQ(version.reply[4], 3);
    EXPECT_EQ(version.reply[6], 7);
    const auto status = observer_.texts(WM_LINK_STATUS);
    EXPECT_EQ(std::count(status.begin(), status.end(), QStringLiteral("System reboot ok")), 2);
    for (const int failure : {WM_LINK_ERROR, WM_LINK_TIMEOUT, WM_LINK_NOREPLY, WM_LINK_INVALID}) {
        const auto outcomes = observer_.outcomes();
        EXPECT_EQ(std::count(outcomes.begin(), outcomes.end(), failure), 0) << failure;
    }
}

// Ends a transfer part way by `cut`, and expects a link error at once rather than time-outs.
void ExpectQuickLinkError(TVKCOMControl& link, testing_support::RecordingObserver& observer,
                          const std::function<void()>& cut) {
    bool cutDone = false;
    QObject::connect(&link, &TVKCOMControl::notified, [&](const LinkNotification& n) {
        if (n.message == WM_LINK_PROGRESS && n.lParam >= 10 && !cutDone) {
            cutDone = true;
            cut();
        }
    });
    link.OutStream() = Image(64 * 1024, 3);
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(FirmwareTransfer(link).WritePart(BuildFrame(0x20, 0x02, 1, 0, 1, 0)).ok, 0);
    EXPECT_LT(timer.elapsed(), 3000);
    EXPECT_TRUE(cutDone);
    EXPECT_EQ(observer.outcomes().back(), WM_LINK_ERROR);
}

TEST_F(FirmwareOverPty, ASwitcherThatHangsUpMidTransferEndsItAtOnce) {
    clock_ = std::make_unique<SteadyClock>();
    startSimulator({});
    ExpectQuickLinkError(*link_, observer_, [this] { sim_.kill(); });
}

TEST(FirmwareOverTcp, AConnectionResetMidTransferEndsItAtOnce) {
    sim::SimServer::Options options;
    options.tcpAddress = QHostAddress::LocalHost;
    options.tcpPort = 0;
    options.quiet = true;
    sim::SimServer server(options);
    quint16 port = 0;
    QObject::connect(&server, &sim::SimServer::lineReady, [&](const QString& line) {
        if (line.startsWith(QStringLiteral("TCP "))) port = line.section(u':', -1).toUShort();
    });
    QString error;
    ASSERT_TRUE(server.start(&error)) << error.toStdString();
    LinkGuard flags;
    EventLoopPump pump;
    SteadyClock clock;
    TVKCOMControl link({std::make_unique<TComPort>(), std::make_unique<lan::TcpStreamClient>(),
                        &pump, &clock, &flags, port});
    testing_support::RecordingObserver observer;
    observer.listenTo(link);
    link.SetDeviceIP(QStringLiteral("127.0.0.1"));
    ASSERT_TRUE(link.Connect());
    ExpectQuickLinkError(link, observer, [&] {
        server.sim().injectFault({sim::FaultKind::DropConnection, 1, 0x20, 0x02, 0, 2, {}});
    });
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

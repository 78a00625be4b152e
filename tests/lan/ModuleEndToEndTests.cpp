// The link's module protocol over real UDP sockets against the matrix-sim program: on a loopback
// address, and by broadcast between two network namespaces joined by a veth pair.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QProcess>
#include <QUdpSocket>

#include "lan/UdpDatagramSocket.h"
#include "link/VKCOMControl.h"
#include "support/EventWait.h"
#include "support/SimHarness.h"
#include "transport/ComPort.h"
#include "transport/EventLoopPump.h"

using namespace devlink;

namespace {

constexpr int kProgramWaitMs = 10000;
const QString kSimulator = QStringLiteral(MATRIX_SIM_PATH);

// Runs a command; its error output when it fails, empty when it worked.
QString Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(kProgramWaitMs)) return program + QStringLiteral(" did not run");
    if (process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0) return {};
    const QString why = QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
    return why.isEmpty() ? program + QStringLiteral(" failed") : why;
}

// Two namespaces, "here" and "there", joined by a veth pair on 10.231.0.0/24. The test thread
// enters "here"; the simulator runs "there". Fixed module ports stay off the machine's network.
class NamespacePair {
public:
    static constexpr const char* kHereAddress = "10.231.0.1";

    NamespacePair() : here_(name("here")), there_(name("there")) {}
    ~NamespacePair() {
        leave();
        for (const QString& ns : created_) Run(QStringLiteral("ip"), {"netns", "del", ns});
    }

    // Empty when the pair stands; otherwise why it cannot be made.
    QString create() {
        if (geteuid() != 0) return QStringLiteral("creating network namespaces needs root");
        for (const QString& ns : {here_, there_}) {
            if (QString why = Run(QStringLiteral("ip"), {"netns", "add", ns}); !why.isEmpty())
                return why;
            created_ << ns;
        }
        const QString pid = QString::number(QCoreApplication::applicationPid() % 10000000);
        const QString hereLink = "gcA" + pid;
        const QString thereLink = "gcB" + pid;
        const std::vector<QStringList> steps = {
            {"link", "add", hereLink, "netns", here_, "type", "veth", "peer", "name", thereLink,
             "netns", there_},
            {"-n", here_, "addr", "add", "10.231.0.1/24", "broadcast", "+", "dev", hereLink},
            {"-n", there_, "addr", "add", "10.231.0.2/24", "broadcast", "+", "dev", thereLink},
            {"-n", here_, "link", "set", "lo", "up"},
            {"-n", there_, "link", "set", "lo", "up"},
            {"-n", here_, "link", "set", hereLink, "up"},
            {"-n", there_, "link", "set", thereLink, "up"},
            // A limited broadcast needs a route to leave by.
            {"-n", here_, "route", "add", "default", "dev", hereLink},
        };
        for (const QStringList& step : steps) {
            if (QString why = Run(QStringLiteral("ip"), step); !why.isEmpty()) return why;
        }
        return {};
    }

    // Sockets this thread makes from now on live in "here".
    bool enter() {
        original_ = ::open("/proc/thread-self/ns/net", O_RDONLY | O_CLOEXEC);
        const int target = ::open(qPrintable("/var/run/netns/" + here_), O_RDONLY | O_CLOEXEC);
        const bool entered = original_ >= 0 && target >= 0 && ::setns(target, CLONE_NEWNET) == 0;
        if (target >= 0) ::close(target);
        return entered;
    }

    QStringList inThere(const QStringList& command) const {
        return QStringList{"netns", "exec", there_} + command;
    }

private:
    static QString name(const char* role) {
        return QStringLiteral("gc-lan-%1-%2").arg(QCoreApplication::applicationPid()).arg(role);
    }
    void leave() {
        if (original_ < 0) return;
        ::setns(original_, CLONE_NEWNET);
        ::close(original_);
        original_ = -1;
    }

    QString here_;
    QString there_;
    QStringList created_;
    int original_ = -1;
};

class ModuleOverUdp : public ::testing::Test {
protected:
    void TearDown() override {
        link_.reset();
        sim_.kill();
        sim_.waitForFinished(kProgramWaitMs);
    }

    // Starts the simulator and waits until its module ports are open.
    void startSimulator(const QString& program, const QStringList& arguments) {
        sim_.setProcessChannelMode(QProcess::MergedChannels);
        sim_.start(program, arguments);
        ASSERT_TRUE(sim_.waitForStarted(kProgramWaitMs));
        QString udp;
        while (udp.isEmpty() && sim_.waitForReadyRead(kProgramWaitMs)) {
            while (sim_.canReadLine()) {
                const QString line = QString::fromUtf8(sim_.readLine()).trimmed();
                ASSERT_FALSE(line.startsWith(QStringLiteral("ERROR"))) << line.toStdString();
                if (line.startsWith(QStringLiteral("UDP "))) udp = line;
            }
        }
        ASSERT_FALSE(udp.isEmpty()) << "the simulator did not open its module ports";
    }

    TVKCOMControl& link() {
        if (!link_) {
            link_ = std::make_unique<TVKCOMControl>(TVKCOMControl::Parts{
                std::make_unique<TComPort>(), nullptr, &pump_, &clock_, &flags_,
                TVKCOMControl::kModulePort, std::make_unique<lan::UdpDatagramSocket>()});
            observer_.listenTo(*link_);
        }
        return *link_;
    }

    QProcess sim_;
    LinkGuard flags_;
    EventLoopPump pump_;
    SteadyClock clock_;
    testing_support::RecordingObserver observer_;
    std::unique_ptr<TVKCOMControl> link_;
};

const QStringList kTwoModules = {"--quiet", "--modules", "2", "--module-ip", "10.1.1.20"};

TEST_F(ModuleOverUdp, SearchByAddressFindsEveryModuleBehindIt) {
    startSimulator(kSimulator, kTwoModules + QStringList{"--udp-address", "127.0.0.2"});
    link().SetUDPMode(umNORMAL);
    link().SetDeviceIP(QStringLiteral("127.0.0.2"));
    ASSERT_TRUE(link().SearchModules());
    ASSERT_EQ(link().FoundModuleCount(), 2);
    EXPECT_EQ(link().FoundModuleField(2, lan::kFieldMac), "00-1A-2B-3C-4D-02");
    EXPECT_EQ(link().FoundModuleField(2, lan::kFieldIp), "10.1.1.21");
    EXPECT_EQ(link().FoundModuleField(2, lan::kFieldName), "Matrix-2");
}

TEST_F(ModuleOverUdp, ConfiguredModuleShowsItsNewTagAndAddress) {
    startSimulator(kSimulator, kTwoModules + QStringList{"--udp-address", "127.0.0.2"});
    link().SetDeviceIP(QStringLiteral("127.0.0.2"));
    const lan::ModuleSettings settings{
        {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x01}, "Stage", true, false, {10, 1, 1, 99}};
    EXPECT_EQ(link().ConfigureModule(lan::BuildConfigRecord(settings)), 0);

    link().SetUDPMode(umNORMAL);
    ASSERT_TRUE(link().SearchModules());
    ASSERT_EQ(link().FoundModuleCount(), 2);
    EXPECT_EQ(link().FoundModuleField(1, lan::kFieldName), "Stage");
    EXPECT_EQ(link().FoundModuleField(1, lan::kFieldIp), "10.1.1.99");
    EXPECT_EQ(link().FoundModuleField(1, lan::kFieldDhcp), "0");
}

TEST_F(ModuleOverUdp, BroadcastSearchAcrossAVethPair) {
    NamespacePair namespaces;
    if (const QString why = namespaces.create(); !why.isEmpty())
        GTEST_SKIP() << "no network namespaces here: " << why.toStdString();
    startSimulator(QStringLiteral("ip"),
                   namespaces.inThere(QStringList{kSimulator} + kTwoModules +
                                      QStringList{"--udp-address", "0.0.0.0"}));
    ASSERT_TRUE(namespaces.enter());
    EXPECT_EQ(link().LocalAddress(), NamespacePair::kHereAddress);
    ASSERT_TRUE(link().SearchModules());
    // Two requests reached the modules (limited and directed broadcast), and our own came
    // back to us: the modules are listed once each and nothing else is.
    ASSERT_EQ(link().FoundModuleCount(), 2);
    EXPECT_EQ(link().FoundModuleField(1, lan::kFieldIp), "10.1.1.20");
    EXPECT_EQ(link().FoundModuleField(2, lan::kFieldName), "Matrix-2");
    link_.reset();
}

TEST(UdpModuleSocket, RefusesEmptyDatagramsAndAddressesItCannotReach) {
    lan::UdpDatagramSocket socket;
    const auto failure = [&](const QByteArray& bytes, const QString& host) {
        try {
            socket.sendTo(bytes, host, 30600);
        } catch (const TransportError& e) {
            return e.message();
        }
        return QString();
    };
    EXPECT_EQ(failure(QByteArray(), "127.0.0.2"), "Invalid buffer");
    EXPECT_EQ(failure(QByteArray("#"), "::1"), "Null Remote Address");
}

TEST(UdpModuleSocket, AFloodIsHandedOverInBoundedPiecesPerEventLoopTurn) {
    lan::UdpDatagramSocket socket;
    socket.bindTo(0);
    int delivered = 0;
    socket.setReceiveHandler([&](const Datagram&) { ++delivered; });
    QUdpSocket flooder;
    constexpr int kSent = 100;
    for (int i = 0; i < kSent; ++i)
        flooder.writeDatagram(QByteArray(1, '#'), QHostAddress::LocalHost, socket.boundPort());
    QCoreApplication::processEvents();
    EXPECT_GT(delivered, 0);
    EXPECT_LE(delivered, 32);
    EXPECT_TRUE(testing_support::ProcessEventsUntil([&] { return delivered == kSent; }, 5000));
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

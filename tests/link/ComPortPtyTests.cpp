// The real serial port against the simulator program on a pseudo-terminal.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <termios.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>

#include "link/VKCOMControl.h"
#include "support/EventWait.h"
#include "support/SimHarness.h"
#include "transport/ComPort.h"
#include "transport/EventLoopPump.h"

using namespace devlink;
using testing_support::ProcessEventsUntil;

namespace {

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) {
        return double(t.tv_sec) + double(t.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

#ifdef __SANITIZE_ADDRESS__
constexpr bool kPeakMemoryTells = false;  // freed memory waits in the sanitizer's quarantine
#else
constexpr bool kPeakMemoryTells = true;
#endif

long PeakMemoryKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

class PtyLink : public ::testing::Test {
protected:
    // portPath: the name the link opens; the terminal's own when empty.
    void start(const QStringList& simArguments = {}, const QString& portPath = {}) {
        startSimulator(simArguments);
        auto port = std::make_unique<TComPort>();
        port->setPortName(portPath.isEmpty() ? pty_ : portPath);
        link_ = std::make_unique<TVKCOMControl>(
            TVKCOMControl::Parts{std::move(port), nullptr, &pump_, &clock_, &flags_});
        observer_.listenTo(*link_);
        link_->SetControlMode(cmCOM);
    }
    void startSimulator(const QStringList& simArguments) {
        pty_.clear();
        sim_.start(QStringLiteral(MATRIX_SIM_PATH),
                   QStringList{QStringLiteral("--quiet")} + simArguments);
        ASSERT_TRUE(sim_.waitForStarted(5000));
        while (pty_.isEmpty() && sim_.waitForReadyRead(5000)) {
            while (sim_.canReadLine()) {
                const QString line = QString::fromUtf8(sim_.readLine()).trimmed();
                if (line.startsWith(QStringLiteral("PTY "))) pty_ = line.mid(4);
            }
        }
        ASSERT_FALSE(pty_.isEmpty());
    }
    void TearDown() override {
        link_.reset();
        sim_.kill();
        sim_.waitForFinished(3000);
    }

    QProcess sim_;
    QString pty_;
    LinkGuard flags_;
    EventLoopPump pump_;
    SteadyClock clock_;
    testing_support::RecordingObserver observer_;
    std::unique_ptr<TVKCOMControl> link_;
};

TEST_F(PtyLink, AnnouncesALostLineWhileIdleWithinASecond) {
    start();
    ASSERT_TRUE(link_->Connect());
    int lost = 0;
    bool connectedWhenLost = true;
    QObject::connect(link_.get(), &TVKCOMControl::lineLost, [&] {
        ++lost;
        connectedWhenLost = link_->GetConnected();
    });
    sim_.kill();
    sim_.waitForFinished(3000);
    EXPECT_TRUE(ProcessEventsUntil([&] { return lost > 0; }, 1000));
    EXPECT_EQ(lost, 1);
    EXPECT_FALSE(connectedWhenLost);
    EXPECT_FALSE(link_->GetConnected());
    EXPECT_TRUE(observer_.outcomes().empty());
}

TEST_F(PtyLink, ExchangesCommandsThroughThePseudoTerminal) {
    start();
    ASSERT_TRUE(link_->Connect());
    const CommandResult type = link_->Transact(BuildFrame(0x01, 0x01, 0xFE));
    EXPECT_EQ(type.ok, 1);
    EXPECT_EQ(type.reply[4], 1);
    EXPECT_EQ(link_->Transact(BuildFrame(0x02, 0x03, 4, 2)).ok, 1);
    const CommandResult route = link_->Transact(BuildFrame(0x02, 0x01, 2));
    EXPECT_EQ(route.reply[6], 4);
    EXPECT_TRUE(observer_.outcomes().empty());
}

// A terminal pair driven by the test itself, so each piece is written only
// after the previous one was delivered, however loaded the machine is.
class PtyPair {
public:
    PtyPair() {
        master_ = posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ >= 0 && grantpt(master_) == 0 && unlockpt(master_) == 0) {
            slave_ = QString::fromLocal8Bit(ptsname(master_));
        }
    }
    ~PtyPair() {
        if (master_ >= 0) close(master_);
    }
    const QString& slavePath() const { return slave_; }
    void send(const QByteArray& bytes) const {
        ASSERT_EQ(write(master_, bytes.constData(), size_t(bytes.size())), bytes.size());
    }
    // Writes what the line takes without waiting; returns how much that was.
    qint64 offer(const QByteArray& bytes) const {
        fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
        return std::max<ssize_t>(0, write(master_, bytes.constData(), size_t(bytes.size())));
    }
    // The master reads and writes the slave's line settings.
    termios lineSettings() const {
        termios settings{};
        EXPECT_EQ(tcgetattr(master_, &settings), 0);
        return settings;
    }
    void setLineSettings(const termios& settings) const {
        EXPECT_EQ(tcsetattr(master_, TCSANOW, &settings), 0);
    }
    // Whether this process holds the slave open, from its own descriptor table.
    bool slaveOpenHere() const {
        const QDir descriptors(QStringLiteral("/proc/self/fd"));
        const QStringList entries = descriptors.entryList(QDir::System | QDir::NoDotAndDotDot);
        return std::any_of(entries.cbegin(), entries.cend(), [&](const QString& fd) {
            return QFileInfo(descriptors.filePath(fd)).symLinkTarget() == slave_;
        });
    }

private:
    int master_ = -1;
    QString slave_;
};

TEST(ComPort, HandsEachPieceOverAsItsOwnDelivery) {
    PtyPair pty;
    ASSERT_FALSE(pty.slavePath().isEmpty());
    TComPort port;
    port.setPortName(pty.slavePath());
    ASSERT_NO_THROW(port.open());
    QByteArrayList deliveries;
    port.setReceiveHandler([&](const QByteArray& bytes) { deliveries.append(bytes); });
    const auto waitFor = [&](qsizetype count) {
        ProcessEventsUntil([&] { return deliveries.size() >= count; }, 5000);
    };
    pty.send(QByteArray::fromHex("A55B0101"));
    waitFor(1);
    pty.send(QByteArray::fromHex("010000000000000000FC"));
    waitFor(2);
    EXPECT_EQ(deliveries, (QByteArrayList{QByteArray::fromHex("A55B0101"),
                                          QByteArray::fromHex("010000000000000000FC")}));
}

TEST(ComPort, OpensTheLineAt57600EightNoneOneRawWithoutFlowControl) {
    PtyPair pty;
    ASSERT_FALSE(pty.slavePath().isEmpty());
    // Start from a cooked 9600 7E2 line with both kinds of flow control.
    termios before = pty.lineSettings();
    cfsetspeed(&before, B9600);
    before.c_cflag = (before.c_cflag & ~CSIZE) | CS7 | PARENB | CSTOPB | CRTSCTS;
    before.c_iflag |= IXON | IXOFF | INPCK | ICRNL;
    before.c_lflag |= ICANON | ECHO | ISIG;
    before.c_oflag |= OPOST;
    pty.setLineSettings(before);

    TComPort port;
    port.setPortName(pty.slavePath());
    ASSERT_NO_THROW(port.open());
    const termios line = pty.lineSettings();
    EXPECT_EQ(cfgetispeed(&line), speed_t{B57600});
    EXPECT_EQ(cfgetospeed(&line), speed_t{B57600});
    EXPECT_EQ(line.c_cflag & CSIZE, tcflag_t{CS8});
    EXPECT_EQ(line.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
    EXPECT_NE(line.c_cflag & CREAD, 0u);
    EXPECT_EQ(line.c_iflag & (IXON | IXOFF | IXANY | INPCK | ISTRIP | ICRNL | INLCR | IGNCR), 0u);
    EXPECT_EQ(line.c_oflag & OPOST, 0u);
    EXPECT_EQ(line.c_lflag & (ICANON | ECHO | ECHONL | ISIG | IEXTEN), 0u);
}

TEST(ComPort, RenamingReopensThePortOnlyWhileItIsOpen) {
    PtyPair first, second, third;
    ASSERT_FALSE(third.slavePath().isEmpty());
    TComPort port;
    port.setPortName(first.slavePath());
    EXPECT_FALSE(port.isOpen());
    EXPECT_FALSE(first.slaveOpenHere());
    ASSERT_NO_THROW(port.open());
    ASSERT_TRUE(first.slaveOpenHere());

    port.setPortName(second.slavePath());
    EXPECT_TRUE(port.isOpen());
    EXPECT_EQ(port.portName(), second.slavePath());
    EXPECT_FALSE(first.slaveOpenHere());
    EXPECT_TRUE(second.slaveOpenHere());

    port.close();
    port.setPortName(third.slavePath());
    EXPECT_FALSE(port.isOpen());
    EXPECT_FALSE(second.slaveOpenHere());
    EXPECT_FALSE(third.slaveOpenHere());
}

TEST_F(PtyLink, ReadsAnEdidBlockOverTheLine) {
    start();
    ASSERT_TRUE(link_->Connect());
    EXPECT_EQ(link_->ReadData(BuildFrame(0x03, 0x05, 0xF001), 257).ok, 1);
    EXPECT_EQ(link_->InStream().size(), 256);
    EXPECT_EQ(link_->InStream().left(8), QByteArray::fromHex("00FFFFFFFFFFFF00"));
}

TEST_F(PtyLink, APeerThatGoesAwayNeitherSpinsNorHangs) {
    start();
    ASSERT_TRUE(link_->Connect());
    sim_.kill();
    sim_.waitForFinished(3000);
    const double cpuBefore = CpuSeconds();
    link_->WaitTicks(50);
    EXPECT_LT(CpuSeconds() - cpuBefore, 0.25);
    EXPECT_EQ(link_->Transact(BuildFrame(0x01, 0x01, 0xFE)).ok, 0);
    EXPECT_EQ(observer_.outcomes(), std::vector<int>{WM_LINK_ERROR});
}

// The switcher is switched off and on again in the middle of a session, again and again: it
// comes back on a new terminal behind the same name, one reconnect finds it, and every
// command after that succeeds.
TEST_F(PtyLink, EveryCommandAfterASwitcherRestartSucceedsAfterOneReconnect) {
    QTemporaryDir linkDir;
    const QString linkPath = linkDir.filePath(QStringLiteral("ttySIM0"));
    const QStringList arguments{QStringLiteral("--link"), linkPath};
    start(arguments, linkPath);
    int lost = 0;
    QObject::connect(link_.get(), &TVKCOMControl::lineLost, [&] { ++lost; });
    const Frame commands[] = {BuildFrame(0x01, 0x01, 0xFE), BuildFrame(0x02, 0x03, 4, 2),
                              BuildFrame(0x02, 0x01, 2)};
    for (int round = 1; round <= 5; ++round) {
        ASSERT_TRUE(link_->Connect()) << "round " << round;
        for (const Frame& command : commands) {
            EXPECT_EQ(link_->Transact(command).ok, 1) << "round " << round;
        }
        sim_.kill();
        sim_.waitForFinished(3000);
        ASSERT_TRUE(ProcessEventsUntil([&] { return lost == round; }, 2000));
        EXPECT_FALSE(link_->GetConnected());
        startSimulator(arguments);
    }
    EXPECT_TRUE(observer_.outcomes().empty());
}

// Random bytes pour in on the line while commands run: every command fails with its
// notification, memory stays bounded, and once the flood ends the wait does not spin.
TEST(ComPortFlood, CommandsFailWithTheirNotificationsAndNothingGrowsOrSpins) {
    PtyPair pty;
    ASSERT_FALSE(pty.slavePath().isEmpty());
    LinkGuard flags;
    EventLoopPump pump;
    SteadyClock clock;
    auto port = std::make_unique<TComPort>();
    port->setPortName(pty.slavePath());
    TVKCOMControl link(TVKCOMControl::Parts{std::move(port), nullptr, &pump, &clock, &flags});
    link.SetControlMode(cmCOM);
    std::vector<int> outcomes;
    QObject::connect(&link, &TVKCOMControl::notified, [&](const LinkNotification& n) {
        if (n.message != WM_LINK_RXCOUNT) outcomes.push_back(n.message);
    });
    ASSERT_TRUE(link.Connect());

    QRandomGenerator random(20261208);
    qint64 flooded = 0;
    QTimer flood;
    QObject::connect(&flood, &QTimer::timeout, [&] {
        QByteArray bytes(2048, Qt::Uninitialized);
        random.fillRange(reinterpret_cast<quint32*>(bytes.data()), bytes.size() / 4);
        flooded += pty.offer(bytes);
    });
    flood.start(1);
    const long peakBefore = PeakMemoryKb();
    // A megabyte of noise at least, however fast this machine reads it.
    int commands = 0;
    while (commands < 20 || (flooded < (1 << 20) && commands < 400)) {
        EXPECT_EQ(link.Transact(BuildFrame(0x01, 0x01, 0xFE)).ok, 0);
        EXPECT_EQ(link.ReadData(BuildFrame(0x03, 0x05, 0xF001), 257).ok, 0);
        commands += 2;
    }
    flood.stop();
    EXPECT_GE(flooded, 1 << 20);
    if (kPeakMemoryTells) {
        EXPECT_LT(PeakMemoryKb() - peakBefore, 16 * 1024);
    }
    EXPECT_EQ(outcomes, std::vector<int>(std::size_t(commands), WM_LINK_NOREPLY));

    const double cpuBefore = CpuSeconds();
    link.WaitTicks(50);
    EXPECT_LT(CpuSeconds() - cpuBefore, 0.25);
}

TEST(ComPort, OpeningAMissingPortRaisesWithTheErrorNumber) {
    TComPort port;
    port.setPortName(QStringLiteral("/dev/does-not-exist-gc"));
    try {
        port.open();
        FAIL() << "opened a missing port";
    } catch (const EComPort& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Unable to open com port (win error code: 2)"));
        EXPECT_EQ(e.cause(), QString()) << "a missing port is no matter of permission";
    }
    EXPECT_FALSE(port.isOpen());
    EXPECT_THROW(port.write(QByteArray(1, 'x')), EComPort);
    EXPECT_THROW(port.clearBuffers(), EComPort);
}

TEST(ComPort, OpeningAPortWithoutPermissionNamesTheDeviceBehindTheLink) {
    if (geteuid() == 0) GTEST_SKIP() << "root opens any device";
    QTemporaryDir dir;
    const QString device = dir.filePath(QStringLiteral("ttyLocked"));
    const QString link = dir.filePath(QStringLiteral("ttyLink"));
    QFile file(device);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    ASSERT_TRUE(QFile::setPermissions(device, QFileDevice::ReadOwner));
    ASSERT_TRUE(QFile::link(device, link));
    TComPort port;
    port.setPortName(link);
    try {
        port.open();
        FAIL() << "opened a port without write permission";
    } catch (const EComPort& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Unable to open com port (win error code: 13)"));
        EXPECT_EQ(e.cause(),
                  QStringLiteral("permission denied on ") + QFileInfo(device).canonicalFilePath());
    }
    EXPECT_FALSE(port.isOpen());
}

// Two programs on one line would each take the other's replies; the second opener is refused
// and told why, whether the port is held by another of our programs (which also puts a lock
// file in /var/lock) or by any program that locks the device itself.
TEST(ComPort, OpeningAPortInUseIsRefusedWithThePortsName) {
    enum class Holder { OurPort, LockingProgram };
    for (const Holder holder : {Holder::OurPort, Holder::LockingProgram}) {
        SCOPED_TRACE(holder == Holder::OurPort ? "our port" : "a locking program");
        PtyPair pty;
        ASSERT_FALSE(pty.slavePath().isEmpty());
        TComPort ours;
        int locked = -1;
        if (holder == Holder::OurPort) {
            ours.setPortName(pty.slavePath());
            ours.open();
        } else {
            locked = ::open(QFile::encodeName(pty.slavePath()).constData(), O_RDWR | O_NOCTTY);
            ASSERT_EQ(flock(locked, LOCK_EX | LOCK_NB), 0);
        }
        TComPort second;
        second.setPortName(pty.slavePath());
        try {
            second.open();
            FAIL() << "opened a port in use";
        } catch (const EComPort& e) {
            EXPECT_EQ(e.cause(), pty.slavePath() + QStringLiteral(" is in use by another program"));
        }
        EXPECT_FALSE(second.isOpen());

        ours.close();
        if (locked >= 0) ::close(locked);
        EXPECT_NO_THROW(second.open()) << "the port stays refused after its holder let go";
    }
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTcpSocket>
#include <QTemporaryDir>

#include "SimTestSupport.h"
#include "posix/UniqueFd.h"

using namespace simtest;

namespace {

constexpr int kWaitMs = 1900;
const QByteArray kDeviceType = sim::makeFrame(0x01, 0x01, 0xFE);
const QByteArray kDeviceTypeReply = hex("A55B01010100000000000000FD");

// A running matrix-sim, stopped with SIGTERM at the end of the test.
class SimProgram {
public:
    explicit SimProgram(const QStringList& arguments) {
        process_.start(QStringLiteral(MATRIX_SIM_PATH), arguments);
    }
    ~SimProgram() {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(kWaitMs);
        }
    }

    // The rest of the first stdout line that starts with `prefix`, or empty after the deadline.
    QString lineStartingWith(const QString& prefix) {
        const QDeadlineTimer deadline(kWaitMs);
        while (!deadline.hasExpired()) {
            while (process_.canReadLine()) {
                const QString line = QString::fromLocal8Bit(process_.readLine()).trimmed();
                if (line.startsWith(prefix)) {
                    return line.mid(prefix.size());
                }
            }
            process_.waitForReadyRead(static_cast<int>(deadline.remainingTime()));
        }
        return {};
    }

    bool terminate() {
        process_.terminate();
        return process_.waitForFinished(kWaitMs) && process_.exitStatus() == QProcess::NormalExit &&
               process_.exitCode() == 0;
    }

private:
    QProcess process_;
};

QByteArray readWithin(int fd, qsizetype count) {
    QByteArray bytes;
    const QDeadlineTimer deadline(kWaitMs);
    while (bytes.size() < count && !deadline.hasExpired()) {
        pollfd ready{fd, POLLIN, 0};
        if (::poll(&ready, 1, static_cast<int>(deadline.remainingTime())) <= 0) {
            break;
        }
        char buffer[64];
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got <= 0) {
            break;
        }
        bytes.append(buffer, got);
    }
    return bytes;
}

posix::UniqueFd openRawTerminal(const QString& path) {
    posix::UniqueFd fd(::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY));
    termios settings{};
    if (fd.valid() && ::tcgetattr(fd.get(), &settings) == 0) {
        ::cfmakeraw(&settings);
        ::tcsetattr(fd.get(), TCSANOW, &settings);
    }
    return fd;
}

QByteArray ask(const QString& path, const QByteArray& frame) {
    const posix::UniqueFd fd = openRawTerminal(path);
    if (!fd.valid() || ::write(fd.get(), frame.constData(), frame.size()) != 13) {
        return {};
    }
    return readWithin(fd.get(), 13);
}

bool writeToPipe(const QString& path, const QByteArray& bytes) {
    const posix::UniqueFd fd(::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK));
    return fd.valid() && ::write(fd.get(), bytes.constData(), bytes.size()) == bytes.size();
}

TEST(Program, AnswersGetDeviceTypeOnItsTerminalAgainAfterReopening) {
    SimProgram program({QStringLiteral("--quiet")});
    const QString slave = program.lineStartingWith(QStringLiteral("PTY "));
    ASSERT_FALSE(slave.isEmpty());
    EXPECT_EQ(ask(slave, kDeviceType), kDeviceTypeReply);
    EXPECT_EQ(ask(slave, kDeviceType), kDeviceTypeReply);
    EXPECT_TRUE(program.terminate());
}

TEST(Program, LogsFramesAndAppliesCommandLineFaults) {
    SimProgram program({QStringLiteral("--fault"), QStringLiteral("statusff:1:1:1")});
    const QString slave = program.lineStartingWith(QStringLiteral("PTY "));
    ASSERT_FALSE(slave.isEmpty());
    EXPECT_EQ(ask(slave, kDeviceType), hex("A55B0101FF00000000000000FF"));
    EXPECT_EQ(program.lineStartingWith(QStringLiteral("RX ")),
              QStringLiteral("A5 5B 01 01 FE 00 00 00 00 00 00 00 00"));
}

TEST(Program, KeepsASymlinkToTheTerminalAndRemovesItOnSigterm) {
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("matrix"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/nonexistent"), link));  // a stale link is replaced
    SimProgram program({QStringLiteral("--quiet"), QStringLiteral("--link"), link});
    const QString slave = program.lineStartingWith(QStringLiteral("PTY "));
    ASSERT_FALSE(slave.isEmpty());
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), slave);
    EXPECT_EQ(ask(link, kDeviceType), kDeviceTypeReply);
    EXPECT_TRUE(program.terminate());
    EXPECT_FALSE(QFileInfo(link).isSymLink());
}

TEST(Program, RefusesToReplaceAFileThatIsNotALink) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("plain"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    SimProgram program({QStringLiteral("--link"), path});
    EXPECT_EQ(program.lineStartingWith(QStringLiteral("ERROR ")),
              QStringLiteral("%1 exists and is not a symbolic link").arg(path));
    EXPECT_TRUE(QFileInfo(path).isFile());
}

TEST(Program, DropConnectionReplugsTheTerminalUnderTheSameLink) {
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("matrix"));
    SimProgram program({QStringLiteral("--quiet"), QStringLiteral("--link"), link,
                        QStringLiteral("--fault"), QStringLiteral("dropconnection")});
    ASSERT_FALSE(program.lineStartingWith(QStringLiteral("PTY ")).isEmpty());
    const posix::UniqueFd first = openRawTerminal(link);
    ASSERT_TRUE(first.valid());
    ASSERT_EQ(::write(first.get(), kDeviceType.constData(), kDeviceType.size()), 13);
    const QString replugged = program.lineStartingWith(QStringLiteral("PTY "));
    ASSERT_FALSE(replugged.isEmpty());
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), replugged);
    EXPECT_EQ(ask(link, kDeviceType), kDeviceTypeReply);
}

TEST(Program, AppliesFrontPanelLinesFromAPipeBetweenFrames) {
    QTemporaryDir dir;
    const QString pipe = dir.filePath(QStringLiteral("panel"));
    SimProgram program({QStringLiteral("--quiet"), QStringLiteral("--panel"), pipe});
    const QString slave = program.lineStartingWith(QStringLiteral("PTY "));
    ASSERT_FALSE(slave.isEmpty());
    const QByteArray getRoute3 = sim::makeFrame(0x02, 0x01, 3);
    ASSERT_TRUE(writeToPipe(pipe, QByteArray(1000, 'x') + "\nroute 3 5\n"));
    EXPECT_EQ(program.lineStartingWith(QStringLiteral("PANEL ")),
              QStringLiteral("bad line: longer than 256 bytes"));
    EXPECT_EQ(program.lineStartingWith(QStringLiteral("PANEL ")), QStringLiteral("route 3 5"));
    EXPECT_EQ(ask(slave, getRoute3), sim::makeFrame(0x02, 0x01, 0, 5));
    // The first writer has closed the pipe; the next one is heard all the same.
    ASSERT_TRUE(writeToPipe(pipe, "route all 2\n"));
    EXPECT_EQ(program.lineStartingWith(QStringLiteral("PANEL ")), QStringLiteral("route all 2"));
    EXPECT_EQ(ask(slave, getRoute3), sim::makeFrame(0x02, 0x01, 0, 2));
    EXPECT_TRUE(program.terminate());
    EXPECT_FALSE(QFileInfo::exists(pipe));
}

TEST(Program, ServesTheSameStreamOverTcp) {
    SimProgram program({QStringLiteral("--quiet"), QStringLiteral("--tcp"),
                        QStringLiteral("127.0.0.1"), QStringLiteral("--port"),
                        QStringLiteral("0")});
    const QString address = program.lineStartingWith(QStringLiteral("TCP "));
    ASSERT_TRUE(address.startsWith(QStringLiteral("127.0.0.1:")));
    QTcpSocket socket;
    socket.connectToHost(QStringLiteral("127.0.0.1"), address.section(':', 1).toUShort());
    ASSERT_TRUE(socket.waitForConnected(kWaitMs));
    socket.write(kDeviceType.left(5));
    socket.write(kDeviceType.mid(5));
    QByteArray reply;
    const QDeadlineTimer deadline(kWaitMs);
    while (reply.size() < 13 &&
           socket.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
        reply += socket.readAll();
    }
    EXPECT_EQ(reply, kDeviceTypeReply);
}

}  // namespace

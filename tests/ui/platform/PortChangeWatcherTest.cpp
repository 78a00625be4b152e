#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>

#include "ui/platform/PortChangeWatcher.h"
#include "ui/platform/SystemServices.h"

namespace {

struct WatchStep {
    const char* name;
    std::function<void(const QString& folder)> action;
    bool changed;
};

void writeFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Append));
    file.write(content);
}

TEST(PortChangeWatcher, ReportsEntriesComingAndGoingButNotTheirContent) {
    QTemporaryDir root;
    const QString folder = root.filePath(QStringLiteral("ports"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const auto nothing = [](const QString&) {};
    const WatchStep steps[] = {
        {"first call", nothing, true},
        {"quiet", nothing, false},
        {"entry created", [](const QString& f) { writeFile(f + "/ttyUSB0", "x"); }, true},
        {"content written", [](const QString& f) { writeFile(f + "/ttyUSB0", "y"); }, false},
        {"entry renamed", [](const QString& f) { QFile::rename(f + "/ttyUSB0", f + "/ttyUSB1"); },
         true},
        {"entry removed", [](const QString& f) { QFile::remove(f + "/ttyUSB1"); }, true},
        {"quiet again", nothing, false},
        {"folder removed", [](const QString& f) { QDir(f).removeRecursively(); }, true},
        {"folder still missing", nothing, true},
        {"folder back", [](const QString& f) { QDir().mkpath(f); }, true},
        {"quiet once watched again", nothing, false},
        {"entry in the new folder", [](const QString& f) { writeFile(f + "/ttyS0", "x"); }, true},
    };
    ui::PortChangeWatcher watcher({folder});
    for (const WatchStep& step : steps) {
        step.action(folder);
        EXPECT_EQ(watcher.takeChange(), step.changed) << step.name;
    }
}

// A pseudo-terminal as the simulator holds one: the node in /dev/pts lives while it is open.
class Terminal {
public:
    Terminal() : master_(::posix_openpt(O_RDWR | O_NOCTTY)) {
        if (master_ >= 0 && ::grantpt(master_) == 0 && ::unlockpt(master_) == 0) {
            path_ = QString::fromLocal8Bit(::ptsname(master_));
        }
    }
    ~Terminal() { close(); }
    void close() {
        if (master_ >= 0) ::close(master_);
        master_ = -1;
    }
    const QString& path() const { return path_; }

private:
    int master_;
    QString path_;
};

TEST(SystemSerialPorts, ListFollowsALinkAndTheTerminalBehindIt) {
    QTemporaryDir linkDir;
    Terminal terminal;
    if (terminal.path().isEmpty()) GTEST_SKIP() << "no pseudo-terminal";
    const QString link = linkDir.filePath(QStringLiteral("ttySIM0"));
    ui::SystemSerialPorts ports(linkDir.path());
    EXPECT_FALSE(ports.portNames().contains(link));

    ASSERT_TRUE(QFile::link(terminal.path(), link));
    EXPECT_TRUE(ports.portNames().contains(link)) << "link made";
    EXPECT_TRUE(ports.portNames().contains(link)) << "nothing changed";

    terminal.close();  // a simulator killed without removing its link
    EXPECT_FALSE(ports.portNames().contains(link)) << "terminal gone";

    Terminal another;
    QFile::remove(link);
    ASSERT_TRUE(QFile::link(another.path(), link));
    EXPECT_TRUE(ports.portNames().contains(link)) << "link to a new terminal";
    QFile::remove(link);
    EXPECT_FALSE(ports.portNames().contains(link)) << "link removed";
}

}  // namespace

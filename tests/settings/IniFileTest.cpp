#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>
#include <random>

#include "TestSupport.h"
#include "settings/IniFile.h"

namespace config {
namespace {

using test::readBytes;
using test::writeBytes;

const QByteArray kOldContent("[Old]\nK=kept\n");

class IniFileTest : public ::testing::Test {
protected:
    QString path() const { return dir_.filePath("Settings.ini"); }

    // A document far larger than the file size limit the save runs under.
    static IniDocument bigDocument() {
        IniDocument doc;
        doc.setValue("Big", "Value", QString(64 * 1024, u'x'));
        return doc;
    }

    // Runs a save in a child process that may write at most 1 kB to any file.
    static void saveUnderSizeLimit(const QString& path) {
        const rlimit limit{1024, 1024};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0) std::_Exit(2);
        const auto error = writeIniFile(path, bigDocument());
        std::_Exit(error == QStringLiteral("Unable to write to ") + path ? 0 : 1);
    }

    // Backdates a file's modification time, as if it had been left there that long ago.
    void age(const QString& name, int minutes) const {
        QFile file(dir_.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTimeUtc().addSecs(-60 * minutes),
                                     QFileDevice::FileModificationTime));
    }

    QTemporaryDir dir_;
};

TEST_F(IniFileTest, MissingFileReadsEmptyAndNonRegularOneSaysWhy) {
    const IniRead missing = readIniFile(path());
    EXPECT_TRUE(missing.document.sections().isEmpty());
    EXPECT_TRUE(missing.readable());
    for (const QString& odd : {dir_.path(), QStringLiteral("/dev/zero")}) {
        const IniRead read = readIniFile(odd);
        EXPECT_TRUE(read.document.sections().isEmpty());
        EXPECT_EQ(read.problem, "it is not a regular file");
    }
}

TEST_F(IniFileTest, OversizedFileIsNotReadAndSaysWhy) {
    QFile file(path());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.write("[Old]\nK=kept\n") > 0);
    ASSERT_TRUE(file.resize(16 * 1024 * 1024 + 1));  // sparse: costs no disk
    file.close();
    const IniRead read = readIniFile(path());
    EXPECT_TRUE(read.document.sections().isEmpty());
    EXPECT_EQ(read.problem, "it is larger than 16 MB");
}

TEST_F(IniFileTest, WriteReplacesWholeFile) {
    writeBytes(path(), "[Old]\nK=a much longer old content than the new one\n");
    IniDocument doc;
    doc.setValue("New", "K", "1");
    EXPECT_EQ(writeIniFile(path(), doc), std::nullopt);
    EXPECT_EQ(readBytes(path()), QByteArray("[New]\nK=1\n"));
    EXPECT_EQ(readIniFile(path()).document.value("new", "k"), "1");
}

TEST_F(IniFileTest, RefusedWriteReportsPath) {
    const QString missingDir = dir_.filePath("missing/Settings.ini");
    const QString directory = dir_.filePath("folder");
    ASSERT_TRUE(QDir().mkpath(directory));
    for (const QString& target : {missingDir, directory}) {
        EXPECT_EQ(writeIniFile(target, IniDocument()), "Unable to write to " + target);
    }
    EXPECT_TRUE(QFileInfo(directory).isDir());
}

TEST_F(IniFileTest, ReadOnlyDirectoryKeepsOldFile) {
    if (test::runningAsRoot()) GTEST_SKIP() << "root writes into read-only directories";
    writeBytes(path(), kOldContent);
    ASSERT_TRUE(QFile::setPermissions(dir_.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    const auto error = writeIniFile(path(), bigDocument());
    QFile::setPermissions(dir_.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(error, "Unable to write to " + path());
    EXPECT_EQ(readBytes(path()), kOldContent);
}

TEST_F(IniFileTest, FailedWriteBeforeCommitKeepsOldFile) {
    writeBytes(path(), kOldContent);
    EXPECT_EXIT(
        {
            signal(SIGXFSZ, SIG_IGN);  // the write fails with EFBIG instead
            saveUnderSizeLimit(path());
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(readBytes(path()), kOldContent);
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{"Settings.ini"});
}

TEST_F(IniFileTest, ProcessKilledMidSaveLeavesOldFile) {
    writeBytes(path(), kOldContent);
    EXPECT_EXIT(saveUnderSizeLimit(path()), ::testing::KilledBySignal(SIGXFSZ), "");
    EXPECT_EQ(readBytes(path()), kOldContent);
    EXPECT_EQ(readIniFile(path()).document.value("Old", "K"), "kept");
}

// A save killed at any moment leaves the old file or the new one, never a mix or nothing;
// start-up then clears what the killed saves left beside it.
TEST_F(IniFileTest, SavesKilledAtRandomMomentsLeaveTheOldOrTheNewFile) {
    const auto filled = [](char fill) {
        IniDocument doc;
        for (int n = 0; n < 1000; ++n) doc.setValue("S", QString::number(n), QString(250, fill));
        return doc;
    };
    const IniDocument documents[2] = {filled('a'), filled('b')};
    const QByteArray contents[2] = {documents[0].toBytes(), documents[1].toBytes()};
    ASSERT_EQ(writeIniFile(path(), documents[0]), std::nullopt);
    std::mt19937 random(1208);
    for (int round = 1; round <= 100; ++round) {
        int saves[2];
        ASSERT_EQ(pipe(saves), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(saves[0]);
            for (int n = 1;; ++n) {
                writeIniFile(path(), documents[n % 2]);
                if (write(saves[1], "s", 1) != 1) std::_Exit(1);
            }
        }
        close(saves[1]);
        // A few whole saves, then a kill somewhere in a later one.
        char saved = 0;
        for (int n = std::uniform_int_distribution(0, 2)(random); n > 0; --n) {
            ASSERT_EQ(read(saves[0], &saved, 1), 1);
        }
        for (volatile int spin = std::uniform_int_distribution(0, 300000)(random); spin > 0;) {
            spin = spin - 1;
        }
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        close(saves[0]);
        const QByteArray now = readBytes(path());
        ASSERT_TRUE(now == contents[0] || now == contents[1]) << "round " << round;
    }
    for (const QString& name : QDir(dir_.path()).entryList(QDir::Files)) age(name, 10);
    removeStaleSaves(path());
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{"Settings.ini"});
}

TEST_F(IniFileTest, OnlyOurOwnTemporaryFilesMinutesOldAreRemoved) {
    struct File {
        const char* name;
        int ageMinutes;
        bool removed;
    };
    const File files[] = {
        {"Settings.ini", 60, false},
        {"Settings.ini.backup", 60, false},
        {"Settings.ini.bak001", 60, false},
        {"Settings.ini.Ab3xYz", 60, false},
        {"Settings.ini.gc-save-Ab3xYz7", 60, false},
        {"Settings.ini.gc-save-Ab-xYz", 60, false},
        {"Other.ini.gc-save-Ab3xYz", 60, false},
        {"Settings.ini.gc-save-n3wOne", 1, false},  // another instance's save under way
        {"Settings.ini.gc-save-0ldOne", 10, true},
        {"Settings.ini.gc-save-qwerty", 600, true},
    };
    for (const File& file : files) {
        writeBytes(dir_.filePath(file.name), "[Half]\n");
        age(file.name, file.ageMinutes);
    }
    removeStaleSaves(path());
    for (const File& file : files)
        EXPECT_EQ(QFile::exists(dir_.filePath(file.name)), !file.removed) << file.name;
}

TEST_F(IniFileTest, SaveThroughALinkReplacesItsTargetWithItsPermissions) {
    const QString target = dir_.filePath("Target.ini");
    writeBytes(target, kOldContent);
    const auto ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    ASSERT_TRUE(QFile::setPermissions(target, ownerOnly));
    ASSERT_TRUE(QFile::link(target, path()));
    IniDocument doc;
    doc.setValue("New", "K", "1");
    ASSERT_EQ(writeIniFile(path(), doc), std::nullopt);
    EXPECT_TRUE(QFileInfo(path()).isSymLink());
    EXPECT_EQ(readBytes(target), QByteArray("[New]\nK=1\n"));
    const auto notUserBits =
        ~(QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser);
    EXPECT_EQ(QFile::permissions(target) & notUserBits, ownerOnly);
}

}  // namespace
}  // namespace config

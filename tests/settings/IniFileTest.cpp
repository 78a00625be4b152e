#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

#include "TestSupport.h"
#include "settings/IniFile.h"

namespace ui {
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

TEST_F(IniFileTest, StaleSavesAreRemovedAndNothingElse) {
    writeBytes(path(), kOldContent);
    const QStringList kept{"Settings.ini",       "Settings.ini.bak", "Settings.ini.Ab3xYz7",
                           "Settings.iniAb3xYz", "Other.ini.Ab3xYz", "Settings.ini.Ab-xYz"};
    for (const QString& name : kept) writeBytes(dir_.filePath(name), "x");
    writeBytes(dir_.filePath("Settings.ini.Ab3xYz"), "[Half]\n");
    writeBytes(dir_.filePath("Settings.ini.qwerty"), "");
    removeStaleSaves(path());
    QStringList left = QDir(dir_.path()).entryList(QDir::Files);
    QStringList expected = kept;
    left.sort();
    expected.sort();
    EXPECT_EQ(left, expected);
}

}  // namespace
}  // namespace ui

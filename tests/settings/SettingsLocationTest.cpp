#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "TestSupport.h"
#include "settings/SettingsLocation.h"

namespace config {
namespace {

using test::readBytes;
using test::writeBytes;

class SettingsLocationTest : public ::testing::Test {
protected:
    QString programDir() const { return root_.filePath("program"); }
    QString configDir() const { return root_.filePath("config/GuiController"); }
    QString programFile() const { return programDir() + "/Settings.ini"; }
    QString configFile() const { return configDir() + "/Settings.ini"; }

    void SetUp() override { ASSERT_TRUE(QDir().mkpath(programDir())); }

    void makeProgramDirReadOnly() {
        QFile::setPermissions(programDir(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    }

    void TearDown() override {
        QFile::setPermissions(
            programDir(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }

    QTemporaryDir root_;
};

TEST_F(SettingsLocationTest, WritableProgramDirectoryHoldsTheFile) {
    EXPECT_EQ(locateSettingsFile(programDir(), configDir()), programFile());
    EXPECT_FALSE(QFileInfo::exists(configDir()));
}

TEST_F(SettingsLocationTest, InstalledCopyUsesTheConfigFolderEvenWhenItsDirectoryIsWritable) {
    const QString bin = root_.filePath("usr/bin");
    const QString applications = root_.filePath("usr/share/applications");
    ASSERT_TRUE(QDir().mkpath(bin) && QDir().mkpath(applications));
    writeBytes(applications + "/gui-controller.desktop", "[Desktop Entry]\n");
    EXPECT_EQ(locateSettingsFile(bin, configDir()), configFile());
    EXPECT_TRUE(QFileInfo(configDir()).isDir());
    EXPECT_FALSE(QFileInfo::exists(bin + "/Settings.ini"));
}

TEST_F(SettingsLocationTest, DirectoriesOfThisProgram) {
    const QString appDir = QCoreApplication::applicationDirPath();
    const QString expectedDir =
        QFileInfo(appDir).isWritable()
            ? appDir
            : QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    EXPECT_EQ(locateSettingsFile(), QDir(expectedDir).filePath("Settings.ini"));
}

TEST_F(SettingsLocationTest, UnusableProgramDirectoryFallsBackToCreatedConfigFolder) {
    const QString missing = root_.filePath("no/such/program");
    EXPECT_EQ(locateSettingsFile(missing, configDir()), configFile());
    EXPECT_TRUE(QFileInfo(configDir()).isDir());
    EXPECT_FALSE(QFileInfo::exists(configFile()));
}

TEST_F(SettingsLocationTest, ReadOnlyProgramDirectoryCopiesItsFileOnce) {
    if (test::runningAsRoot()) GTEST_SKIP() << "root writes into read-only directories";
    writeBytes(programFile(), "[Control mode]\nMode=0\n");
    QFile::setPermissions(programFile(), QFileDevice::ReadOwner);
    makeProgramDirReadOnly();
    EXPECT_EQ(locateSettingsFile(programDir(), configDir()), configFile());
    EXPECT_EQ(readBytes(configFile()), QByteArray("[Control mode]\nMode=0\n"));
    EXPECT_TRUE(QFileInfo(configFile()).isWritable());

    // The config folder's own file wins from then on.
    writeBytes(configFile(), "[Control mode]\nMode=1\n");
    EXPECT_EQ(locateSettingsFile(programDir(), configDir()), configFile());
    EXPECT_EQ(readBytes(configFile()), QByteArray("[Control mode]\nMode=1\n"));
}

TEST_F(SettingsLocationTest, WritableFileInReadOnlyDirectoryIsNotUsed) {
    if (test::runningAsRoot()) GTEST_SKIP() << "root writes into read-only directories";
    writeBytes(programFile(), "[Custom]\nK=v\n");
    makeProgramDirReadOnly();
    EXPECT_EQ(locateSettingsFile(programDir(), configDir()), configFile());
    EXPECT_EQ(readBytes(configFile()), QByteArray("[Custom]\nK=v\n"));
}

}  // namespace
}  // namespace config

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "TestSupport.h"
#include "settings/IniFile.h"
#include "settings/PortTagSections.h"
#include "settings/SettingsFile.h"

namespace config {
namespace {

using test::readBytes;
using test::writeBytes;

const QString kMac = "00-1A-2B-3C-4D-5E";
const ConnectionTags kNoTags{false, kNoDeviceMac, {}};

SettingsData everyKeySet() {
    SettingsData data;
    data.controlModeLan = false;
    data.comPortName = "/dev/ttyUSB1";
    data.lanDeviceName = "[Hall]-[Static]-[192.168.1.20]-[" + kMac + "]-[255.255.255.0]";
    data.lanDeviceList = {data.lanDeviceName,
                          "[Lab]-[DHCP]-[10.0.0.7]-[AA-BB-CC-DD-EE-FF]-[255.0.0.0]"};
    for (int n = 0; n < kPresetCount; ++n) {
        data.presetNames[n] = "Preset " + QString::number(n + 1);
        data.presetValues[n] = {"6", "5", "4", "3", "2", QString::number(n % 6 + 1)};
    }
    data.presetNames[7] = "";
    data.presetValues[7] << "7"
                         << "a b";
    data.inDeviceNames = {"Blu-ray", "PC"};
    data.outDisplayNames = {"Projector", "TV"};
    data.edid = {"1080p", "In2 - [PC]",   "Out1",          "In3",
                 "Out4",  "User1 Memory", "/tmp/save.bin", "/tmp/open.bin"};
    data.displayTag = true;
    data.followSwitcher = true;
    return data;
}

PortTags someTags() {
    PortTags tags;
    tags.inputs[0] = "PC";
    tags.outputs[5] = "[Left] TV";
    return tags;
}

class SettingsFileTest : public ::testing::Test {
protected:
    QString path() const { return dir_.filePath("Settings.ini"); }
    QTemporaryDir dir_;
};

TEST_F(SettingsFileTest, MissingFileReadsDefaults) {
    const SettingsData data = loadSettings(path()).data;
    EXPECT_EQ(data, SettingsData());
    EXPECT_TRUE(data.controlModeLan);
    EXPECT_EQ(data.presetNames[7], "Setting8");
    EXPECT_EQ(data.presetValues[2], (QStringList{"1", "2", "3", "4", "5", "6"}));
    EXPECT_FALSE(data.displayTag);
}

TEST_F(SettingsFileTest, FirstSaveWritesExactlyTheBaseSections) {
    ASSERT_EQ(saveSettings(path(), SettingsData(), kNoTags), std::nullopt);
    QByteArray expected =
        "[WARNING]\nNOTE=DON'T MODIFY THIS FILE MANUALLY!\n\n\n[Control mode]\nMode=1\n\n\n"
        "[Pre-Setting name]\n";
    for (int n = 1; n <= 8; ++n)
        expected += "Setting" + QByteArray::number(n) + "=Setting" + QByteArray::number(n) + "\n";
    expected += "\n\n[Pre-Setting value]\n";
    for (int n = 1; n <= 8; ++n) expected += "value" + QByteArray::number(n) + "=1,2,3,4,5,6\n";
    expected +=
        "\n\n[EDID setting]\nEDID mode=\nIn of EDID mode=\nOut of Copy EDID=\nIn of Copy EDID=\n"
        "Out of Read EDID=\nIn of Download EDID=\nSave EDID file=\nOpen EDID file=\n\n\n"
        "[Display tag]\nValue=0\n";
    EXPECT_EQ(readBytes(path()), expected);
}

TEST_F(SettingsFileTest, FirstSaveSectionsByConnection) {
    const QStringList base{"WARNING",           "Control mode", "Pre-Setting name",
                           "Pre-Setting value", "EDID setting", "Display tag"};
    SettingsData withPort;
    withPort.comPortName = "COM3";
    const struct {
        SettingsData data;
        ConnectionTags tags;
        QStringList sections;
    } cases[] = {
        {SettingsData(), kNoTags, base},
        {SettingsData(), {true, kNoDeviceMac, {}}, base},
        {SettingsData(), {false, kMac, {}}, base},
        {withPort, kNoTags, QStringList{"WARNING", "Control mode", "COM port"} + base.mid(2)},
    };
    for (const auto& c : cases) {
        QFile::remove(path());
        ASSERT_EQ(saveSettings(path(), c.data, c.tags), std::nullopt);
        EXPECT_EQ(readIniFile(path()).document.sections(), c.sections);
    }
}

TEST_F(SettingsFileTest, EveryKeyRoundTrips) {
    const SettingsData data = everyKeySet();
    ASSERT_EQ(saveSettings(path(), data, {false, kMac, someTags()}), std::nullopt);
    EXPECT_EQ(loadSettings(path()).data, data);
    EXPECT_EQ(loadPortTags(path(), false, kMac), someTags());
    EXPECT_EQ(loadPortTags(path(), true, kMac), PortTags());
    const IniDocument doc = readIniFile(path()).document;
    EXPECT_EQ(doc.value("Pre-Setting value", "value8"), "6,5,4,3,2,2,7,\"a b\"");
    EXPECT_EQ(doc.value("Pre-Setting name", "Setting8", "missing"), "");
    EXPECT_EQ(doc.value("Control mode", "Mode"), "0");
    EXPECT_EQ(doc.value("Display tag", "Value"), "1");
    EXPECT_EQ(doc.keys("Out display name"), (QStringList{"Display1", "Display2"}));
}

TEST_F(SettingsFileTest, FollowSectionAppearsOnlyOnceTicked) {
    SettingsData data;
    ASSERT_EQ(saveSettings(path(), data, kNoTags), std::nullopt);
    EXPECT_FALSE(readBytes(path()).contains("Follow"));
    for (const bool ticked : {true, false}) {
        data.followSwitcher = ticked;
        ASSERT_EQ(saveSettings(path(), data, kNoTags), std::nullopt);
        EXPECT_EQ(readIniFile(path()).document.value("Follow switcher", "Enabled"),
                  ticked ? "1" : "0");
        EXPECT_EQ(loadSettings(path()).data.followSwitcher, ticked);
    }
}

TEST_F(SettingsFileTest, ReadsWindowsFileWithMixedCaseNames) {
    writeBytes(path(),
               "\xEF\xBB\xBF[warning]\r\nnote=DON'T MODIFY THIS FILE MANUALLY!\r\n"
               "[CONTROL MODE]\r\nMODE=0\r\n[com PORT]\r\nname=COM4\r\n"
               "[tcp control device list]\r\ndevice no.2=second\r\nDEVICE NO.1=first\r\n"
               "[pre-setting VALUE]\r\nVALUE3=3,4\r\n[display TAG]\r\nvalue=1\r\n"
               "[edid SETTING]\r\nsave edid FILE=C:\\edid\\a.bin\r\n"
               "[tag of input - com]\r\nin2=DVD\r\n");
    const SettingsData data = loadSettings(path()).data;
    EXPECT_FALSE(data.controlModeLan);
    EXPECT_EQ(data.comPortName, "COM4");
    EXPECT_EQ(data.lanDeviceList, (QStringList{"second", "first"}));
    EXPECT_EQ(data.presetValues[2], (QStringList{"3", "4", "1", "2", "3", "4"}));
    EXPECT_TRUE(data.displayTag);
    EXPECT_EQ(data.edid.saveEdidFile, "C:\\edid\\a.bin");
    EXPECT_EQ(loadPortTags(path(), true, "").inputs[1], "DVD");
}

TEST_F(SettingsFileTest, RewrittenListsMoveToTheEndRenumbered) {
    writeBytes(path(),
               "[Out display name]\nDisplay1=Old TV\nDisplay2=Gone\n"
               "[TCP control device list]\nDevice No.5=b\nDevice No.9=a\n"
               "[In device name]\nDevice1=Old PC\n"
               "[Custom]\nK=v\n");
    SettingsData data = loadSettings(path()).data;
    EXPECT_EQ(data.lanDeviceList, (QStringList{"b", "a"}));
    data.lanDeviceList.sort();
    data.outDisplayNames = {"TV"};
    ASSERT_EQ(saveSettings(path(), data, kNoTags), std::nullopt);
    const IniDocument doc = readIniFile(path()).document;
    EXPECT_EQ(doc.sections(),
              (QStringList{"Custom", "WARNING", "Control mode", "TCP control device list",
                           "Pre-Setting name", "Pre-Setting value", "In device name",
                           "Out display name", "EDID setting", "Display tag"}));
    EXPECT_EQ(doc.keys("TCP control device list"), (QStringList{"Device No.1", "Device No.2"}));
    EXPECT_EQ(doc.values("TCP control device list"), (QStringList{"a", "b"}));
    EXPECT_EQ(doc.values("Out display name"), QStringList{"TV"});
    EXPECT_EQ(doc.values("In device name"), QStringList{"Old PC"});
}

TEST_F(SettingsFileTest, EmptyChoicesKeepStoredNames) {
    writeBytes(path(), "[COM port]\nName=COM7\n[TCP control device]\nName=[x]\n");
    ASSERT_EQ(saveSettings(path(), SettingsData(), kNoTags), std::nullopt);
    const SettingsData data = loadSettings(path()).data;
    EXPECT_EQ(data.comPortName, "COM7");
    EXPECT_EQ(data.lanDeviceName, "[x]");
}

TEST_F(SettingsFileTest, UnknownSectionsAndOtherDevicesTagsSurvive) {
    const QByteArray kept =
        "[Custom]\n\n; operator notes\nAlpha=1 2 3\nbeta=\xFF\xFE\n\n\n"
        "[Tag of Input - TCP:AA-BB-CC-DD-EE-FF]\nIn1=Camera\n";
    writeBytes(path(), kept + "\n\n[Control mode]\nMode=1\nExtra=keep me\n");
    ASSERT_EQ(saveSettings(path(), everyKeySet(), {false, kMac, someTags()}), std::nullopt);
    ASSERT_EQ(savePortTags(path(), {true, "", someTags()}), std::nullopt);
    const QByteArray saved = readBytes(path());
    EXPECT_TRUE(saved.startsWith(kept)) << saved.toStdString();
    EXPECT_TRUE(saved.contains("[Control mode]\nMode=0\nExtra=keep me\n"));
}

TEST_F(SettingsFileTest, SavePortTagsChangesOnlyTags) {
    ASSERT_EQ(saveSettings(path(), everyKeySet(), kNoTags), std::nullopt);
    ASSERT_EQ(savePortTags(path(), {false, kMac, someTags()}), std::nullopt);
    EXPECT_EQ(loadSettings(path()).data, everyKeySet());
    EXPECT_EQ(loadPortTags(path(), false, kMac), someTags());
    ASSERT_EQ(savePortTags(path(), {false, kMac, PortTags()}), std::nullopt);
    for (const QString& section : readIniFile(path()).document.sections()) {
        EXPECT_FALSE(section.contains("Tag of")) << section.toStdString();
    }
    EXPECT_EQ(savePortTags(dir_.filePath("no/such/Settings.ini"), {true, "", someTags()}),
              "Unable to write to " + dir_.filePath("no/such/Settings.ini"));
}

TEST_F(SettingsFileTest, HandEditedGarbageLoadsDefaults) {
    const char binary[] = "\0\x01\x02[\xFF]\n=\n==\n[\n]\n\x7F";
    const QByteArray cases[] = {
        "[Control mode]\nMode=0\nmode=maybe\n[Display tag]\nValue=yes\n",
        "[Control mode]\nMode=\xFF\xFE\n[Pre-Setting name]\n",
        "[Unknown]\nLong=" + QByteArray(100 * 1024, 'z') + "\n[Display tag]\nValue=\n",
        QByteArray(binary, sizeof binary - 1),
        "no section at all\nMode=0\n[Control mode\nMode=0\n",
    };
    for (const QByteArray& garbage : cases) {
        writeBytes(path(), garbage);
        EXPECT_EQ(loadSettings(path()).data, SettingsData()) << garbage.left(40).toStdString();
        EXPECT_EQ(saveSettings(path(), SettingsData(), kNoTags), std::nullopt);
        EXPECT_EQ(loadSettings(path()).data, SettingsData());
    }
}

// Saving over a file that could not be read would lose every section in it.
TEST_F(SettingsFileTest, OversizedFileLoadsDefaultsSaysWhyAndIsNeverSavedOver) {
    QByteArray big = "[Unknown]\nKeep=this\n[Control mode]\nMode=0\n";
    big += "[Filler]\nF=" + QByteArray(16 * 1024 * 1024, 'f') + "\n";
    writeBytes(path(), big);
    const QString why = "The settings file " + path() +
                        " could not be read (it is larger than 16 MB). The program runs on "
                        "default settings and leaves the file as it is.";
    const LoadedSettings loaded = loadSettings(path());
    EXPECT_EQ(loaded.data, SettingsData());
    EXPECT_EQ(loaded.problem, why);
    EXPECT_EQ(saveSettings(path(), everyKeySet(), kNoTags), why);
    EXPECT_EQ(savePortTags(path(), {true, "", someTags()}), why);
    EXPECT_EQ(readBytes(path()), big);
}

TEST_F(SettingsFileTest, RefusedSaveReportsPathAndLeavesOldFile) {
    const QString target = dir_.filePath("missing/Settings.ini");
    EXPECT_EQ(saveSettings(target, everyKeySet(), kNoTags), "Unable to write to " + target);
    EXPECT_FALSE(QFileInfo::exists(target));

    if (test::runningAsRoot()) GTEST_SKIP() << "root writes into read-only directories";
    writeBytes(path(), "[Custom]\nK=v\n");
    QFile::setPermissions(dir_.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const auto error = saveSettings(path(), everyKeySet(), kNoTags);
    QFile::setPermissions(dir_.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(error, "Unable to write to " + path());
    EXPECT_EQ(readBytes(path()), QByteArray("[Custom]\nK=v\n"));
}

}  // namespace
}  // namespace config

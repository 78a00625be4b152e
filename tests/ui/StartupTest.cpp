#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>

#include "WindowHarness.h"
#include "settings/IniFile.h"
#include "support/CaseName.h"

namespace {

using testing_support::WindowHarness;

QString captionOf(const QObject* control) {
    if (auto* button = qobject_cast<const QAbstractButton*>(control)) return button->text();
    if (auto* label = qobject_cast<const QLabel*>(control)) return label->text();
    if (auto* group = qobject_cast<const QGroupBox*>(control)) return group->title();
    return QStringLiteral("<no caption>");
}

TEST(Startup, WindowIsTitledSizedAndTabbed) {
    WindowHarness h;
    h.show();
    EXPECT_EQ(h.form().windowTitle(), "6x6 HDMI Matrix Controller - ver6.08");
    EXPECT_EQ(h.form().width(), 1025);
    auto* pages = h.find<QTabWidget>("pcContainer");
    ASSERT_NE(pages, nullptr);
    EXPECT_EQ(pages->tabPosition(), QTabWidget::South);
    const QStringList expected{"General",      "Port Tag", "Setting",
                               "EDID control", "Advanced", "FW upgrade"};
    ASSERT_EQ(pages->count(), expected.size());
    for (int i = 0; i < pages->count(); ++i) EXPECT_EQ(pages->tabText(i), expected[i]);
    EXPECT_NE(h.find<QTimer>("tmr"), nullptr);
}

TEST(Startup, DialogsAreCreatedInOrderAfterTheMainWindow) {
    WindowHarness h;
    h.show();
    QStringList windows;
    for (QWidget* child : h.form().findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (child->isWindow()) windows << child->objectName();
    }
    EXPECT_EQ(windows, QStringList({"TfrmPreSettingEdit", "TfrmShowInOutInfo", "TfrmEditLAN",
                                    "TfrmSearch", "TfrmEnterYes"}));
}

struct NamedCaption {
    const char* name;
    const char* caption;
};

void PrintTo(const NamedCaption& c, std::ostream* os) {
    *os << c.name << " \"" << c.caption << '"';
}

class ControlCaption : public ::testing::TestWithParam<NamedCaption> {};

TEST_P(ControlCaption, ExistsWithItsCaption) {
    WindowHarness h;
    h.buildEveryPage();
    const auto* control = h.find<QObject>(QLatin1String(GetParam().name));
    ASSERT_NE(control, nullptr) << GetParam().name;
    EXPECT_EQ(captionOf(control), QString::fromUtf8(GetParam().caption));
}

INSTANTIATE_TEST_SUITE_P(
    MainWindow, ControlCaption,
    ::testing::Values(
        NamedCaption{"gbModeSelect", "Control mode select"},
        NamedCaption{"rbCOMMode", "COM control mode"},
        NamedCaption{"rbLANMode", "TCP control mode"},
        NamedCaption{"gbCOMMode", "COM control mode"}, NamedCaption{"lblPort", "Port"},
        NamedCaption{"gbLANMode", "TCP control mode"}, NamedCaption{"btnDeleteDevice", "×"},
        NamedCaption{"btnSearchDevice", "Search ..."}, NamedCaption{"btnConfig", "Config ..."},
        NamedCaption{"gbConnection", "Connection"}, NamedCaption{"btnConnect", "&Connect"},
        NamedCaption{"gbDeviceStatus", "Refresh device status"},
        NamedCaption{"btnGetDevStatus", "D&evice status"},
        NamedCaption{"gbDisplayTag", "Display tags setting"},
        NamedCaption{"cbDisplayTag", "Display Input, Output tags when focus setting buttons"},
        NamedCaption{"gbDevInfo", "Device information"},
        NamedCaption{"lblDevice", "Device: Not known"},
        NamedCaption{"lblVersion", "Version: Not known"},
        NamedCaption{"lbl1", "NOTE - Steps after GUI Controller run:"},
        NamedCaption{"lbl2", "1. Click \"Device status\" button to get Power status"},
        NamedCaption{"lbl3", "2. Click Power button below to boot up Matrix if it's powered off"},
        NamedCaption{"lbl4", "3. Use GUI Controller to control Matrix after unit boots up"},
        NamedCaption{"bbPower", ""}, NamedCaption{"gbMessages", "Messages"},
        NamedCaption{"Button1", "&Clear"}, NamedCaption{"btnStop", "Stop"},
        NamedCaption{"btnClear", "clear"}, NamedCaption{"gbMergeFW", "Merge FW"},
        NamedCaption{"btnMerge", "&Merge"}, NamedCaption{"gbTCPModInfo", "TCP Module infomation"},
        NamedCaption{"lblTCPVersion", "Version: "}, NamedCaption{"lblTCPDHCP", "DHCP: "},
        NamedCaption{"lblTCPIPAddr", "IP Address: "}, NamedCaption{"btnQueryTCPModInfo", "&Query"},
        NamedCaption{"gbResetDefault", "Reset TCP Module"}, NamedCaption{"btnReset", "&Reset ..."},
        NamedCaption{"lblNote", "Output from Input"}, NamedCaption{"btnEditInputPortTag", "&Edit"},
        NamedCaption{"btnEditOutputPortTag", "E&dit"}, NamedCaption{"Label26", "Open FW file"},
        NamedCaption{"btnUpgrade", "&Upgrade"}, NamedCaption{"rbAPMON", "ON"},
        NamedCaption{"rbIRDisable", "OFF"}),
    testing_support::CaseNamer([](const auto& c) { return std::string(c.name); }));

TEST(Startup, ControlsWithoutCaptionExist) {
    WindowHarness h;
    h.buildEveryPage();
    for (const char* name : {"cbCOMList",
                             "cbLANDevice",
                             "imgOpen",
                             "imgClose",
                             "mmoMessage",
                             "mmoMsg",
                             "lvPreSetting",
                             "cbEDIDMode",
                             "sgEDIDContent",
                             "edtSaveEDID",
                             "edtOpenEDID",
                             "edtFWFile",
                             "edtMainMCUFW",
                             "edtSlaveMCU1FW",
                             "edtSlaveMCU3FW",
                             "btnOpenSlave2",
                             "leSlave3FWVer2",
                             "tsgFWProgress",
                             "sb",
                             "leInput1Tag",
                             "leOutput6Tag"}) {
        EXPECT_NE(h.find<QWidget>(QLatin1String(name)), nullptr) << name;
    }
}

TEST(Startup, DiagnosticControlsAndMergeStayHiddenAndDisabled) {
    WindowHarness h;
    h.show();
    for (const char* name : {"mmoMsg", "btnStop", "btnClear", "gbMergeFW"}) {
        auto* control = h.find<QWidget>(QLatin1String(name));
        ASSERT_NE(control, nullptr) << name;
        EXPECT_FALSE(control->isVisible()) << name;
        EXPECT_FALSE(control->isEnabled()) << name;
    }
}

TEST(Startup, EdidModeListLosesAutoEdid) {
    WindowHarness h;
    h.buildEveryPage();
    auto* modes = h.find<QComboBox>("cbEDIDMode");
    ASSERT_EQ(modes->count(), 19);
    EXPECT_EQ(modes->itemText(18), "Default EDID");
}

TEST(Startup, FirstStartWithoutFileUsesTcpModeAndWritesTheFile) {
    WindowHarness h;
    h.show();
    EXPECT_TRUE(h.find<QRadioButton>("rbLANMode")->isChecked());
    EXPECT_EQ(h.form().Link()->ControlMode(), devlink::cmLAN);
    EXPECT_EQ(h.panel(1), "Disconnect");
    ASSERT_TRUE(QFile::exists(h.settingsPath));
    EXPECT_EQ(config::readIniFile(h.settingsPath).document.sections(),
              QStringList({"WARNING", "Control mode", "Pre-Setting name", "Pre-Setting value",
                           "EDID setting", "Display tag"}));
    EXPECT_TRUE(h.dialogs.shown.empty());
}

TEST(Startup, OversizedFileIsShownOnceRunsOnDefaultsAndIsKept) {
    WindowHarness h;
    const QByteArray content = "[Control mode]\nMode=0\n[Own section]\nkey=kept\n[Filler]\nF=" +
                               QByteArray(16 * 1024 * 1024, 'f') + "\n";
    h.writeSettings(content);
    h.show();
    EXPECT_TRUE(h.find<QRadioButton>("rbLANMode")->isChecked());
    h.find<QLineEdit>("leInput1Tag")->setText("DVD");
    EXPECT_TRUE(h.form().close());
    ASSERT_EQ(h.dialogs.shown.size(), 1u);
    EXPECT_EQ(h.dialogs.shown[0].kind, "error");
    EXPECT_TRUE(h.dialogs.shown[0].text.contains("could not be read (it is larger than 16 MB)"));
    QFile file(h.settingsPath);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll() == content);
}

TEST(Startup, FirstStartWithAPortStoresIt) {
    WindowHarness h;
    h.ports.names = {"ttyS0", "ttyUSB0"};
    h.show();
    const config::IniDocument file = config::readIniFile(h.settingsPath).document;
    EXPECT_TRUE(file.sections().contains("COM port"));
    EXPECT_EQ(file.value("COM port", "Name"), "ttyS0");
}

TEST(Startup, ComModeFileSelectsStoredPortAndShowsComTags) {
    WindowHarness h;
    h.ports.names = {"ttyS0", "ttyUSB0"};
    h.writeSettings(
        "[Control mode]\nMode=0\n[COM port]\nName=ttyUSB0\n"
        "[Tag of Input - COM]\nIn1=DVD\n[Tag of Output - COM]\nOut6=Projector\n"
        "[Display tag]\nValue=1\n");
    h.show();
    EXPECT_TRUE(h.find<QRadioButton>("rbCOMMode")->isChecked());
    EXPECT_EQ(h.form().Link()->ControlMode(), devlink::cmCOM);
    EXPECT_EQ(h.find<QComboBox>("cbCOMList")->currentText(), "ttyUSB0");
    EXPECT_EQ(h.form().Link()->GetComPort(), "ttyUSB0");
    EXPECT_EQ(h.find<QLineEdit>("leInput1Tag")->text(), "DVD");
    EXPECT_EQ(h.find<QLineEdit>("leOutput6Tag")->text(), "Projector");
    EXPECT_TRUE(h.find<QCheckBox>("cbDisplayTag")->isChecked());
}

TEST(Startup, StoredPortThatIsGoneFallsBackToTheFirst) {
    WindowHarness h;
    h.ports.names = {"ttyS0", "ttyUSB0"};
    h.writeSettings("[Control mode]\nMode=0\n[COM port]\nName=ttyACM7\n");
    h.show();
    EXPECT_EQ(h.find<QComboBox>("cbCOMList")->currentText(), "ttyS0");
}

// The first walk of the system's ports takes a while; the window shows the stored port until it
// has painted, then takes the list before it writes the settings.
TEST(Startup, PortsStillBeingListedDoNotHoldUpTheWindow) {
    const struct {
        const char* stored;
        const char* chosen;
    } cases[] = {{"ttyUSB0", "ttyUSB0"}, {"ttyACM7", "ttyS0"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        WindowHarness h;
        h.ports.names = {"ttyS0", "ttyUSB0"};
        h.ports.known = false;
        h.writeSettings(QByteArray("[Control mode]\nMode=0\n[COM port]\nName=") + c.stored);
        h.create();
        h.form().show();
        auto* list = h.find<QComboBox>("cbCOMList");
        EXPECT_EQ(h.ports.listings, 0);
        ASSERT_EQ(list->count(), 1);
        EXPECT_EQ(list->currentText(), c.stored);

        testing_support::showWithEveryPage(h.form());
        EXPECT_EQ(list->count(), 2);
        EXPECT_EQ(list->currentText(), c.chosen);
        EXPECT_EQ(config::readIniFile(h.settingsPath).document.value("COM port", "Name"), c.chosen);
    }
}

TEST(Startup, SettingsWithoutControlsYetSurviveTheSave) {
    WindowHarness h;
    const QByteArray content =
        "[Pre-Setting name]\nSetting1=Movie\n[Pre-Setting value]\nvalue1=3,4\n"
        "[TCP control device list]\nDevice No.1=[a]-[Static IP]-[10.0.0.9]-[00-11-22-33-44-55]-"
        "[Same Subnet]\n[TCP control device]\nName=x\n[In device name]\nDevice1=Blu-ray\n"
        "[Out display name]\nDisplay1=TV\n[EDID setting]\nSave EDID file=/tmp/a.bin\n"
        "[Tag of Input - TCP:00-11-22-33-44-55]\nIn2=Camera\n[Own section]\nkey=kept\n";
    h.writeSettings(content);
    h.show();
    const config::IniDocument file = config::readIniFile(h.settingsPath).document;
    EXPECT_EQ(file.value("Pre-Setting name", "Setting1"), "Movie");
    EXPECT_EQ(file.value("Pre-Setting value", "value1"), "3,4,1,2,3,4");
    EXPECT_EQ(file.value("TCP control device list", "Device No.1"),
              "[a]-[Static IP]-[10.0.0.9]-[00-11-22-33-44-55]-[Same Subnet]");
    // A stored name that is no entry gives way to the first entry, which is then chosen.
    EXPECT_EQ(file.value("TCP control device", "Name"),
              "[a]-[Static IP]-[10.0.0.9]-[00-11-22-33-44-55]-[Same Subnet]");
    EXPECT_EQ(file.value("In device name", "Device1"), "Blu-ray");
    EXPECT_EQ(file.value("Out display name", "Display1"), "TV");
    EXPECT_EQ(file.value("EDID setting", "Save EDID file"), "/tmp/a.bin");
    EXPECT_EQ(file.value("Tag of Input - TCP:00-11-22-33-44-55", "In2"), "Camera");
    EXPECT_EQ(file.value("Own section", "key"), "kept");
}

struct GarbageFile {
    const char* name;
    QByteArray bytes;
};

void PrintTo(const GarbageFile& f, std::ostream* os) {
    *os << f.name << " (" << f.bytes.size() << " bytes)";
}

class HandEditedSettings : public ::testing::TestWithParam<GarbageFile> {};

TEST_P(HandEditedSettings, LoadWithDefaults) {
    WindowHarness h;
    h.ports.names = {"ttyS0"};
    h.writeSettings(GetParam().bytes);
    h.show();
    EXPECT_TRUE(h.find<QRadioButton>("rbLANMode")->isChecked());
    EXPECT_EQ(h.panel(1), "Disconnect");
    EXPECT_FALSE(h.find<QCheckBox>("cbDisplayTag")->isChecked());
    EXPECT_TRUE(h.dialogs.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Garbage, HandEditedSettings,
    ::testing::Values(
        GarbageFile{"WordsForNumbers", "[Control mode]\nMode=abc\n[Display tag]\nValue=yes\n"},
        GarbageFile{"UnclosedSection", "[Control mode\nMode=0\n"},
        GarbageFile{"BinaryBytes", QByteArray("\xff\xfe\x00\x01[\x80\x81]\n=\n==\n\x00\x00", 16)},
        GarbageFile{"HugeNumber",
                    QByteArray("[Control mode]\nMode=") + QByteArray(100000, '9') + "x\n"},
        GarbageFile{"RepeatedKeyAndEmptyValue",
                    "[Control mode]\nMode=1\nMode=0x\n[Display tag]\nValue=\n"},
        GarbageFile{"OnlyOpeningBrackets", QByteArray(200000, '[')}),
    testing_support::CaseNamer([](const auto& c) { return std::string(c.name); }));

TEST(Startup, RefusedWriteShowsTheMessageWithThePath) {
    WindowHarness h;
    h.settingsPath = h.dir.filePath("missing/Settings.ini");
    h.show();
    EXPECT_EQ(h.dialogs.texts("error"), QStringList({"Unable to write to " + h.settingsPath}));
    EXPECT_EQ(h.panel(1), "Disconnect");
}

}  // namespace

// The pages built after the first paint hold pre-settings and EDID choices: a window closed
// before then writes the file exactly as one that built them.
TEST(Startup, AWindowClosedBeforeItsFirstPaintKeepsEveryPagesSettings) {
    const QByteArray settings =
        "[Control mode]\nMode=0\n[Pre-Setting name]\nSetting1=Morning\n[Pre-Setting value]\n"
        "value1=3,4,1,2,3,4\n[EDID setting]\nEDID mode=3D, Dolby/DTS 5.1\n"
        "Out of Copy EDID=Out4\nIn of Download EDID=User2 Memory\n";
    const auto closedFile = [&settings](bool painted) {
        WindowHarness h;
        h.writeSettings(settings);
        if (painted) {
            h.show();
        } else {
            h.create();
            h.form().show();
        }
        h.form().close();
        return config::readIniFile(h.settingsPath).document;
    };
    const config::IniDocument unbuilt = closedFile(false);
    EXPECT_EQ(unbuilt.value("Pre-Setting value", "value1"), "3,4,1,2,3,4");
    EXPECT_EQ(unbuilt.value("EDID setting", "In of Download EDID"), "User2 Memory");
    EXPECT_EQ(unbuilt.toBytes().toStdString(), closedFile(true).toBytes().toStdString());
}

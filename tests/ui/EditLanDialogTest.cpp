#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <deque>

#include "ScriptedDialogs.h"
#include "ui/dialogs/EditLAN.h"

// Readable failure messages for Qt texts.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace {

using ui::LanDialogOptions;
using ui::LanSettings;

const LanSettings kModule{"Hall", false, "192.168.1.20", "02-11-22-33-44-55"};

// The dialog shown (not modally) with a module's settings, its boxes recorded, its random bytes
// taken from a script.
class EditLanDialog : public ::testing::Test {
protected:
    void openWith(const LanDialogOptions& options, const LanSettings& initial = kModule) {
        dialog.setRandomByteSource([this] {
            ++draws;
            if (onDraw) onDraw(draws);
            if (bytes.empty()) return quint8{0x11};
            const quint8 next = bytes.front();
            bytes.pop_front();
            return next;
        });
        dialog.arrange(initial, options);
        dialog.open();
        dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }

    void setMacFields(const QStringList& texts) {
        for (int n = 1; n <= 6; ++n) dialog.edtMACField(n)->setText(texts.value(n - 1));
    }

    QString macFields() const { return dialog.settings().macAddress; }

    void TearDown() override { dialog.reject(); }

    testing_support::ScriptedDialogs boxes;
    ui::TfrmEditLAN dialog{boxes};
    std::deque<quint8> bytes;
    int draws = 0;
    std::function<void(int)> onDraw;
};

LanDialogOptions macEditing(bool duplicateCheck = false, QStringList inUse = {}) {
    LanDialogOptions options;
    options.macEditing = true;
    options.duplicateMacCheck = duplicateCheck;
    options.macsInUse = std::move(inUse);
    return options;
}

struct TypedCase {
    const char* name;
    int field;
    const char* typed;
    const char* shown;  // after leaving the field
};

void PrintTo(const TypedCase& c, std::ostream* os) {
    *os << c.name;
}

class IpFieldTyping : public EditLanDialog, public ::testing::WithParamInterface<TypedCase> {};

TEST_P(IpFieldTyping, KeepsDigitsAndNormalisesOnLeaving) {
    openWith({});
    QLineEdit* field = dialog.edtIPField(GetParam().field);
    field->setFocus();
    field->clear();
    QTest::keyClicks(field, QLatin1String(GetParam().typed));
    QTest::keyClick(field, Qt::Key_Tab);
    EXPECT_FALSE(field->hasFocus());
    EXPECT_EQ(field->text(), QLatin1String(GetParam().shown));
}

INSTANTIATE_TEST_SUITE_P(Keys, IpFieldTyping,
                         ::testing::Values(TypedCase{"LastEmpty", 4, "", "2"},
                                           TypedCase{"Last255", 4, "255", "252"},
                                           TypedCase{"First999", 1, "999", "255"},
                                           TypedCase{"LettersDropped", 2, "1x.2", "12"},
                                           TypedCase{"LeadingZero", 3, "0 7", "7"}),
                         [](const auto& info) { return std::string(info.param.name); });

class MacFieldTyping : public EditLanDialog, public ::testing::WithParamInterface<TypedCase> {};

TEST_P(MacFieldTyping, TakesHexDigitsInUpperCase) {
    openWith(macEditing());
    QLineEdit* field = dialog.edtMACField(GetParam().field);
    field->setFocus();
    field->clear();
    QTest::keyClicks(field, QLatin1String(GetParam().typed));
    EXPECT_EQ(field->text(), QLatin1String(GetParam().shown));
}

INSTANTIATE_TEST_SUITE_P(Keys, MacFieldTyping,
                         ::testing::Values(TypedCase{"LowerCaseRaised", 1, "a1", "A1"},
                                           TypedCase{"NotHexDropped", 3, "Fg", "F"},
                                           TypedCase{"OnlyLetters", 6, "zz", ""},
                                           TypedCase{"DashDropped", 4, "-9e", "9E"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EditLanDialog, MacFieldsAreReadOnlyWithoutMacEditing) {
    openWith({});
    QLineEdit* field = dialog.edtMACField(2);
    field->setFocus();
    QTest::keyClicks(field, "ab");
    EXPECT_EQ(field->text(), "11");
    EXPECT_TRUE(field->isReadOnly());
    EXPECT_EQ(field->palette().color(QPalette::Base), dialog.palette().color(QPalette::Button));
    dialog.arrange(kModule, macEditing());
    EXPECT_FALSE(field->isReadOnly());
    EXPECT_EQ(field->palette().color(QPalette::Base), QColor(Qt::white));
}

struct OkCase {
    const char* name;
    LanDialogOptions options;
    QStringList macFields;
    const char* error;  // empty when OK closes the dialog
    const char* mac;    // the fields afterwards, joined
};

void PrintTo(const OkCase& c, std::ostream* os) {
    *os << c.name;
}

class OkButton : public EditLanDialog, public ::testing::WithParamInterface<OkCase> {};

TEST_P(OkButton, ChecksTheMacOnlyWhileItIsEdited) {
    openWith(GetParam().options);
    for (int n = 1; n <= 4; ++n)
        dialog.edtIPField(n)->setText(QStringList{"", "999", "007", "1"}[n - 1]);
    setMacFields(GetParam().macFields);
    dialog.btnOK()->click();

    const QString error = QLatin1String(GetParam().error);
    EXPECT_EQ(boxes.texts("error"), error.isEmpty() ? QStringList() : QStringList{error});
    EXPECT_EQ(dialog.isVisible(), !error.isEmpty());
    if (error.isEmpty()) {
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
    EXPECT_EQ(dialog.settings().ipAddress, "0.255.7.2");
    EXPECT_EQ(macFields(), QLatin1String(GetParam().mac));
}

const QStringList kOddFirst{"3", "11", "22", "33", "44", "55"};
const QStringList kShort{"2", "a", "", "4", "5", "f"};
const QStringList kUsed{"2", "11", "22", "33", "44", "55"};

INSTANTIATE_TEST_SUITE_P(
    Checks, OkButton,
    ::testing::Values(
        OkCase{"EditingOffIgnoresTheMac", {}, {"ZZ", "1", "", "", "", ""}, "", "ZZ-1----"},
        OkCase{"OneDigitFieldsGetALeadingZero", macEditing(), kShort, "", "02-0A-00-04-05-0F"},
        OkCase{"OddFirstByteRefused", macEditing(), kOddFirst,
               "The bit0 of MAC first byte [03] CAN NOT be 1, please change.", "03-11-22-33-44-55"},
        OkCase{"NotHexRefused",
               macEditing(),
               {"ZZ", "1", "", "", "", ""},
               "MAC address not correct.",
               "ZZ-1----"},
        OkCase{"UsedMacRefused", macEditing(true, {"02-11-22-33-44-55"}), kUsed,
               "MAC address [02-11-22-33-44-55] has been used, please change.",
               "02-11-22-33-44-55"},
        OkCase{"UsedMacAllowedWithoutTheCheck", macEditing(false, {"02-11-22-33-44-55"}), kUsed, "",
               "02-11-22-33-44-55"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EditLanDialog, RefusedOddFirstByteTakesTheFocus) {
    openWith(macEditing());
    setMacFields(kOddFirst);
    dialog.btnOK()->setFocus();
    dialog.btnOK()->click();
    EXPECT_TRUE(dialog.edtMACField(1)->hasFocus());
}

using Trigger = std::function<void(ui::TfrmEditLAN&)>;

struct TriggerCase {
    const char* name;
    Trigger trigger;
};

void PrintTo(const TriggerCase& c, std::ostream* os) {
    *os << c.name;
}

const TriggerCase kDoubleClick{"DoubleClick", [](ui::TfrmEditLAN& d) {
                                   QTest::mouseDClick(d.edtMACField(5), Qt::LeftButton);
                               }};
const TriggerCase kUpKey{"UpKey",
                         [](ui::TfrmEditLAN& d) { QTest::keyClick(d.leDeviceTag(), Qt::Key_Up); }};

class MacDrawing : public EditLanDialog, public ::testing::WithParamInterface<TriggerCase> {};

TEST_P(MacDrawing, DrawsTheLastThreeBytesUntilTheMacIsFree) {
    openWith(macEditing(true, {"02-00-00-11-11-11", "02-00-00-22-22-22"}));
    setMacFields({"2", "", "0", "a", "b", "c"});
    bytes = {0x11, 0x11, 0x11, 0x22, 0x22, 0x22, 0x4A, 0x05, 0xFF};
    GetParam().trigger(dialog);
    EXPECT_EQ(macFields(), "02-00-00-4A-05-FF");
    EXPECT_EQ(draws, 9);
    EXPECT_EQ(boxes.shown.size(), 0U);
}

TEST_P(MacDrawing, OddFirstByteIsReportedAfterDrawing) {
    openWith(macEditing(true));
    setMacFields({"1", "2", "3", "", "", ""});
    bytes = {0xAB, 0xCD, 0xEF};
    GetParam().trigger(dialog);
    EXPECT_EQ(macFields(), "01-02-03-AB-CD-EF");
    EXPECT_EQ(boxes.texts("error"),
              QStringList{"The bit0 of MAC first byte [01] CAN NOT be 1, please change."});
}

TEST_P(MacDrawing, WithoutTheDuplicateCheckOnlyTheTextIsChecked) {
    openWith(macEditing(false));
    setMacFields({"2", "", "", "", "", ""});
    GetParam().trigger(dialog);
    setMacFields({"G", "", "", "", "", ""});
    GetParam().trigger(dialog);
    EXPECT_EQ(draws, 0);
    EXPECT_EQ(macFields(), "G-----");
    EXPECT_EQ(boxes.texts("error"), QStringList{"MAC address not correct."});
}

TEST_P(MacDrawing, NothingHappensWithoutMacEditing) {
    LanDialogOptions options;
    options.duplicateMacCheck = true;
    openWith(options);
    GetParam().trigger(dialog);
    EXPECT_EQ(draws, 0);
    EXPECT_EQ(macFields(), kModule.macAddress);
    EXPECT_EQ(boxes.shown.size(), 0U);
}

INSTANTIATE_TEST_SUITE_P(Triggers, MacDrawing, ::testing::Values(kDoubleClick, kUpKey),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EditLanDialog, SecondDoubleClickEndsAnEndlessDrawing) {
    // Every draw gives 11-11-11, which is in use, so only the second double-click ends it.
    openWith(macEditing(true, {"02-00-00-11-11-11"}));
    setMacFields({"2", "0", "0", "0", "0", "0"});
    onDraw = [this](int draw) {
        if (draw == 30) {
            QTimer::singleShot(0, &dialog, [this] { kDoubleClick.trigger(dialog); });
        }
        if (draw > 3000) dialog.reject();  // a failure, not a hang
    };
    kDoubleClick.trigger(dialog);
    EXPECT_LT(draws, 100);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(macFields(), "02-00-00-11-11-11");
}

TEST_F(EditLanDialog, EveryWayOutButOkIsCancel) {
    const std::vector<std::function<void()>> ways{
        [this] { QTest::keyClick(dialog.edtIPField(2), Qt::Key_Escape); },
        [this] { QTest::keyClick(dialog.rbStaticIP(), Qt::Key_Escape); },
        [this] { dialog.btnClose()->click(); },
        [this] { dialog.close(); },
        [this] { dialog.done(7); },
    };
    for (std::size_t way = 0; way < ways.size(); ++way) {
        openWith({});
        ways[way]();
        EXPECT_FALSE(dialog.isVisible()) << way;
        EXPECT_EQ(dialog.result(), QDialog::Rejected) << way;
    }
}

TEST_F(EditLanDialog, ArrangedAddressOffSubnetIsLocked) {
    LanDialogOptions options;
    options.addressEditable = false;
    openWith(options);
    for (QWidget* control : std::initializer_list<QWidget*>{
             dialog.rbStaticIP(), dialog.rbDHCP(), dialog.lblIPAddr(), dialog.lblIPSep(),
             dialog.edtIPField(1), dialog.edtIPField(4)}) {
        EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
    }
    EXPECT_TRUE(dialog.rbStaticIP()->isChecked());
    EXPECT_EQ(dialog.settings().deviceTag, "Hall");
    EXPECT_EQ(dialog.settings().ipAddress, "192.168.1.20");
    EXPECT_EQ(dialog.settings().macAddress, "02-11-22-33-44-55");
    EXPECT_FALSE(dialog.settings().autoIp);
}

TEST_F(EditLanDialog, RadioClicksSwitchTheIpFields) {
    // On a module's own subnet the IP fields open enabled even with Auto IP chosen.
    openWith({}, {"Hall", true, "10.0.0.9", "02-11-22-33-44-55"});
    EXPECT_TRUE(dialog.rbDHCP()->isChecked());
    EXPECT_TRUE(dialog.edtIPField(3)->isEnabled());
    QTest::mouseClick(dialog.rbDHCP(), Qt::LeftButton);
    EXPECT_FALSE(dialog.edtIPField(3)->isEnabled());
    QTest::mouseClick(dialog.rbStaticIP(), Qt::LeftButton);
    EXPECT_TRUE(dialog.edtIPField(3)->isEnabled());
    EXPECT_FALSE(dialog.settings().autoIp);
}

struct TagCase {
    const char* name;
    QString entered;
    QString kept;
};

class TagField : public EditLanDialog, public ::testing::WithParamInterface<TagCase> {};

// A tag becomes "[" tag "]-..." in the device list and Latin-1 bytes in the module.
TEST_P(TagField, KeepsOnlyWhatTheEntryAndTheModuleCanHold) {
    openWith({}, {GetParam().entered, false, "192.168.1.20", "02-11-22-33-44-55"});
    EXPECT_EQ(dialog.leDeviceTag()->text(), GetParam().kept);
    dialog.leDeviceTag()->clear();
    dialog.leDeviceTag()->insert(GetParam().entered);
    EXPECT_EQ(dialog.leDeviceTag()->text(), GetParam().kept);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TagField,
    ::testing::Values(TagCase{"Brackets", "Room [A]", "Room A"},
                      TagCase{"ControlCharacters", "A\tB\u007F\u0085C", "ABC"},
                      TagCase{"BeyondLatin1", "\u20AC5 \u0141\u00F3d\u017A", "5 \u00F3d"},
                      TagCase{"Latin1", "Caf\u00E9 #2 (Hall)", "Caf\u00E9 #2 (Hall)"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EditLanDialog, TypedBracketsAreRefused) {
    openWith({});
    dialog.leDeviceTag()->clear();
    QTest::keyClicks(dialog.leDeviceTag(), "[Hall]");
    EXPECT_EQ(dialog.leDeviceTag()->text(), "Hall");
}

TEST(EditLan, EditHandsBackTheSettingsOnOk) {
    testing_support::ScriptedDialogs boxes;
    ui::TfrmEditLAN dialog(boxes);
    QTimer::singleShot(0, &dialog, [&] {
        dialog.leDeviceTag()->setText("Stage");
        dialog.edtIPField(4)->setText("255");
        QTest::keyClick(dialog.leDeviceTag(), Qt::Key_Return);
    });
    const std::optional<LanSettings> result = dialog.edit(kModule, {});
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->deviceTag, "Stage");
    EXPECT_EQ(result->ipAddress, "192.168.1.252");
    EXPECT_EQ(result->macAddress, "02-11-22-33-44-55");
    EXPECT_FALSE(result->autoIp);

    QTimer::singleShot(0, &dialog, [&] { QTest::keyClick(dialog.leDeviceTag(), Qt::Key_Escape); });
    EXPECT_FALSE(dialog.edit(kModule, {}).has_value());
}

TEST(EditLan, FormAsDesigned) {
    testing_support::ScriptedDialogs boxes;
    const ui::TfrmEditLAN dialog(boxes);
    EXPECT_EQ(dialog.objectName(), "TfrmEditLAN");
    EXPECT_EQ(dialog.windowTitle(), "TCP configuration");
    EXPECT_EQ(dialog.gbDeviceInfo()->title(), "Device information");
    EXPECT_EQ(dialog.leDeviceTag()->maxLength(), 32);
    EXPECT_EQ(dialog.rbStaticIP()->text(), "Static IP");
    EXPECT_EQ(dialog.rbDHCP()->text(), "Auto IP");
    EXPECT_TRUE(dialog.rbDHCP()->isChecked());
    EXPECT_EQ(dialog.lblIPAddr()->text(), "IP address");
    EXPECT_EQ(dialog.lblMAC()->text(), "MAC");
    EXPECT_EQ(dialog.btnOK()->text(), "OK");
    EXPECT_TRUE(dialog.btnOK()->isDefault());
    EXPECT_EQ(dialog.btnClose()->text(), "Close");
    for (int n = 1; n <= 4; ++n) {
        const QLineEdit* field =
            dialog.findChild<QLineEdit*>(QStringLiteral("edtIPField%1").arg(n));
        ASSERT_EQ(field, dialog.edtIPField(n));
        EXPECT_EQ(field->text(), "255");
        EXPECT_EQ(field->maxLength(), 3);
        EXPECT_FALSE(field->isEnabled());
    }
    for (int n = 1; n <= 6; ++n) {
        const QLineEdit* field =
            dialog.findChild<QLineEdit*>(QStringLiteral("edtMACField%1").arg(n));
        ASSERT_EQ(field, dialog.edtMACField(n));
        EXPECT_EQ(field->text(), "00");
        EXPECT_EQ(field->maxLength(), 2);
    }
    for (const char* name : {"leDeviceTag", "rbStaticIP", "rbDHCP", "lblIPAddr", "lblIPSep",
                             "lblMAC", "lblMACSep", "btnOK", "btnClose"}) {
        EXPECT_NE(dialog.findChild<QWidget*>(QLatin1String(name)), nullptr) << name;
    }
}

}  // namespace

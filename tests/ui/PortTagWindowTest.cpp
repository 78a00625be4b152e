#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "ModalScript.h"
#include "SettingWindow.h"
#include "settings/IniFile.h"
#include "ui/dialogs/PreSettingEdit.h"

namespace {

using testing_support::onNextModal;
using testing_support::SettingWindow;

QComboBox* inputBox(const QDialog& dialog, int port) {
    return dialog.findChild<QComboBox*>(QStringLiteral("cbDevNameOfInput%1").arg(port));
}

QStringList entries(const QComboBox* box) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
    return items;
}

void clickOk(const QDialog& dialog) {
    dialog.findChild<QPushButton*>("btnOK")->click();
}

struct PortTagWindow : testing::Test {
    QString field(const QString& name) const { return w.h.find<QLineEdit>(name)->text(); }
    void editInputs(std::function<void(QDialog&)> act) {
        onNextModal(std::move(act));
        w.h.find<QPushButton>("btnEditInputPortTag")->click();
    }
    QString value(const QString& section, const QString& key) const {
        return config::readIniFile(w.h.settingsPath).document.value(section, key);
    }
    bool hasSection(const QString& section) const {
        return config::readIniFile(w.h.settingsPath).document.sections().contains(section);
    }

    SettingWindow w{
        "[Tag of Input - COM]\nIn1=DVD\n[In device name]\nDevice1=DVD\nDevice2=Camera\n"};
};

TEST_F(PortTagWindow, EditorShowsTheCurrentTagsAndTheHistory) {
    QString caption;
    QSize size;
    QPoint okAt;
    QStringList box1;
    QString text1;
    bool outputGroupShown = true;
    editInputs([&](QDialog& dialog) {
        caption = dialog.windowTitle();
        size = dialog.size();
        okAt = dialog.findChild<QPushButton*>("btnOK")->pos();
        box1 = entries(inputBox(dialog, 1));
        text1 = inputBox(dialog, 1)->currentText();
        outputGroupShown = dialog.findChild<QWidget*>("gbOutputPortTag")->isVisible() ||
                           dialog.findChild<QWidget*>("gbOutputSetting")->isVisible();
        dialog.reject();
    });
    EXPECT_EQ(caption, "Edit Input port tags");
    EXPECT_EQ(size, QSize(635, 302));
    EXPECT_EQ(okAt, QPoint(320, 240));
    EXPECT_EQ(box1, (QStringList{"Camera", "DVD"}));
    EXPECT_EQ(text1, "DVD");
    EXPECT_FALSE(outputGroupShown);
}

TEST_F(PortTagWindow, OkTagsAsTypedAndMergesTheHistoryIgnoringCase) {
    QStringList box6After;
    editInputs([&](QDialog& dialog) {
        inputBox(dialog, 2)->setEditText("camera");
        inputBox(dialog, 3)->setEditText("PC [2]");
        clickOk(dialog);
    });
    box6After = entries(inputBox(w.h.windows->preSettingEdit(), 6));
    EXPECT_EQ(field("leInput2Tag"), "camera");
    EXPECT_EQ(field("leInput3Tag"), "PC [2]");
    EXPECT_EQ(box6After, (QStringList{"Camera", "DVD", "PC [2]"}));
    // The tags are written at once, the history at the next full save.
    EXPECT_EQ(value("Tag of Input - COM", "In2"), "camera");
    EXPECT_EQ(value("Tag of Input - COM", "In3"), "PC [2]");
    w.h.form().SaveSettings();
    EXPECT_EQ(value("In device name", "Device1"), "Camera");
    EXPECT_EQ(value("In device name", "Device2"), "DVD");
    EXPECT_EQ(value("In device name", "Device3"), "PC [2]");
    EXPECT_EQ(value("In device name", "Device4"), "");
}

TEST_F(PortTagWindow, EnterKeepsTheCaseTypedWhereTheHistoryHasOtherCase) {
    bool acceptedByEnter = false;
    editInputs([&](QDialog& dialog) {
        QLineEdit* typing = inputBox(dialog, 2)->lineEdit();
        typing->clear();
        typing->setFocus();
        QTest::keyClicks(typing, "dvd");
        QTest::keyClick(typing, Qt::Key_Return);
        acceptedByEnter = dialog.result() == QDialog::Accepted;
        if (!acceptedByEnter) clickOk(dialog);
    });
    EXPECT_TRUE(acceptedByEnter);
    EXPECT_EQ(field("leInput2Tag"), "dvd");
    EXPECT_EQ(value("Tag of Input - COM", "In2"), "dvd");
}

TEST_F(PortTagWindow, CancelChangesNoTag) {
    editInputs([](QDialog& dialog) {
        inputBox(dialog, 1)->setEditText("Other");
        dialog.reject();
    });
    EXPECT_EQ(field("leInput1Tag"), "DVD");
    EXPECT_EQ(value("Tag of Input - COM", "In1"), "DVD");
}

TEST_F(PortTagWindow, ClearingEveryTagRemovesTheTagSections) {
    ASSERT_TRUE(hasSection("Tag of Input - COM"));
    editInputs([](QDialog& dialog) {
        inputBox(dialog, 1)->setEditText("");
        clickOk(dialog);
    });
    EXPECT_EQ(field("leInput1Tag"), "");
    EXPECT_FALSE(hasSection("Tag of Input - COM"));
    EXPECT_FALSE(hasSection("Tag of Output - COM"));
}

TEST_F(PortTagWindow, NameInUseByAnotherBoxCannotBeDeleted) {
    editInputs([](QDialog& dialog) {
        inputBox(dialog, 4)->setEditText("DVD");
        dialog.findChild<QPushButton*>("btnDeleteInput1Tag")->click();
        EXPECT_EQ(entries(inputBox(dialog, 1)), (QStringList{"Camera", "DVD"}));
        EXPECT_EQ(inputBox(dialog, 1)->currentText(), "DVD");
        dialog.reject();
    });
    EXPECT_EQ(w.h.dialogs.texts("information"),
              QStringList{"Input port tag in use, can't be deleted."});
    EXPECT_TRUE(w.h.dialogs.texts("question").isEmpty());
}

TEST_F(PortTagWindow, ConfirmedDeleteStaysInTheHistoryEvenAfterCancel) {
    w.h.dialogs.answers = {true};
    editInputs([](QDialog& dialog) {
        inputBox(dialog, 2)->setEditText("camera");
        dialog.findChild<QPushButton*>("btnDeleteInput2Tag")->click();
        EXPECT_EQ(inputBox(dialog, 2)->currentText(), "");
        EXPECT_EQ(inputBox(dialog, 1)->currentText(), "DVD");
        for (int port = 1; port <= 6; ++port) {
            EXPECT_EQ(entries(inputBox(dialog, port)), QStringList{"DVD"}) << port;
        }
        dialog.reject();
    });
    EXPECT_EQ(w.h.dialogs.texts("question"),
              QStringList{"Sure to delete Input port tag: [camera] ?"});
    w.h.form().SaveSettings();
    EXPECT_EQ(value("In device name", "Device1"), "DVD");
    EXPECT_EQ(value("In device name", "Device2"), "");
}

TEST_F(PortTagWindow, DeleteAnsweredNoKeepsTheName) {
    editInputs([](QDialog& dialog) {
        dialog.findChild<QPushButton*>("btnDeleteInput1Tag")->click();
        EXPECT_EQ(inputBox(dialog, 1)->currentText(), "DVD");
        EXPECT_EQ(entries(inputBox(dialog, 3)), (QStringList{"Camera", "DVD"}));
        dialog.reject();
    });
    EXPECT_EQ(w.h.dialogs.texts("question"), QStringList{"Sure to delete Input port tag: [DVD] ?"});
}

TEST_F(PortTagWindow, OutputFormEditsTheOutputTags) {
    QString caption;
    onNextModal([&](QDialog& dialog) {
        caption = dialog.windowTitle();
        auto* box = dialog.findChild<QComboBox*>("cbDispNameOfOutput5");
        EXPECT_EQ(box->property("Tag").toInt(), 45);
        box->setEditText("Projector");
        clickOk(dialog);
    });
    w.h.find<QPushButton>("btnEditOutputPortTag")->click();
    EXPECT_EQ(caption, "Edit Output port tags");
    EXPECT_EQ(field("leOutput5Tag"), "Projector");
    EXPECT_EQ(value("Tag of Output - COM", "Out5"), "Projector");
    w.h.form().SaveSettings();
    EXPECT_EQ(value("Out display name", "Display1"), "Projector");
}

TEST_F(PortTagWindow, DisplayTagOptionIsOffered) {
    EXPECT_TRUE(w.h.find<QCheckBox>("cbDisplayTag")->isEnabled());
    EXPECT_TRUE(w.h.find<QPushButton>("btnEditInputPortTag")->isEnabled());
    EXPECT_TRUE(w.h.find<QPushButton>("btnEditOutputPortTag")->isEnabled());
}

constexpr char kTwoDevices[] =
    "[Tag of Input - TCP:AA-00-00-00-00-01]\nIn1=Alpha\n"
    "[Tag of Input - TCP:AA-00-00-00-00-02]\nIn1=Beta\n"
    "[Tag of Input - COM]\nIn1=Serial\n";

TEST(PortTagsPerConnection, EachDeviceAndTheSerialLineHaveTheirOwnSet) {
    SettingWindow w(kTwoDevices);
    auto* input1 = w.h.find<QLineEdit>("leInput1Tag");
    EXPECT_EQ(input1->text(), "Serial");
    const struct {
        devlink::TControlMode mode;
        QString mac;
        QString tag;
    } cases[] = {{devlink::cmLAN, "AA-00-00-00-00-01", "Alpha"},
                 {devlink::cmLAN, "AA-00-00-00-00-02", "Beta"},
                 {devlink::cmLAN, "00-00-00-00-00-00", ""},
                 {devlink::cmCOM, "AA-00-00-00-00-02", "Serial"}};
    for (const auto& c : cases) {
        w.h.form().LoadPortTags(c.mode, c.mac);
        EXPECT_EQ(input1->text(), c.tag) << c.mac.toStdString();
    }
}

TEST(PortTagsPerConnection, WithoutADeviceTcpTagsAreShownButNotWritten) {
    testing_support::WindowHarness h;  // TCP control mode, no device selected
    h.show();
    onNextModal([](QDialog& dialog) {
        inputBox(dialog, 1)->setEditText("Loose");
        clickOk(dialog);
    });
    h.find<QPushButton>("btnEditInputPortTag")->click();
    EXPECT_EQ(h.find<QLineEdit>("leInput1Tag")->text(), "Loose");
    const QStringList sections = config::readIniFile(h.settingsPath).document.sections();
    for (const QString& section : sections) {
        EXPECT_FALSE(section.contains("Tag of")) << section.toStdString();
    }
}

TEST(PortTagsPerConnection, TagsEditedInTheEditorReachThePreSettingDialog) {
    SettingWindow w;
    onNextModal([](QDialog& dialog) {
        inputBox(dialog, 2)->setEditText("DVD");
        clickOk(dialog);
    });
    w.h.find<QPushButton>("btnEditInputPortTag")->click();
    w.h.find<QTableWidget>("lvPreSetting")->selectRow(0);
    QString entry;
    onNextModal([&](QDialog& dialog) {
        entry = dialog.findChild<QComboBox*>("cbFromDeviceOfOutput1")->itemText(1);
        dialog.reject();
    });
    w.h.find<QPushButton>("btnPreEdit")->click();
    EXPECT_EQ(entry, "In2 - [DVD]");
}

}  // namespace

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include "ModalScript.h"
#include "SettingWindow.h"
#include "ui/dialogs/PreSettingEdit.h"

namespace {

using testing_support::kPowerOffText;
using testing_support::onNextModal;
using testing_support::SentRoute;
using testing_support::SettingWindow;

constexpr char kPresets[] =
    "[Pre-Setting name]\nSetting1=Morning\n[Pre-Setting value]\nvalue1=3,4\nvalue2=2,2,2,2,2,2\n";

QStringList rowCells(const QTableWidget* list, int row) {
    QStringList cells;
    for (int column = 0; column < list->columnCount(); ++column) {
        cells << list->item(row - 1, column)->text();
    }
    return cells;
}

std::vector<int> chosenInputs(const QDialog& dialog) {
    std::vector<int> inputs;
    for (int output = 1; output <= 6; ++output) {
        inputs.push_back(
            dialog.findChild<QComboBox*>(QStringLiteral("cbFromDeviceOfOutput%1").arg(output))
                ->currentIndex() +
            1);
    }
    return inputs;
}

void chooseAllOutputsFrom(const QDialog& dialog, const QString& entry) {
    auto* all = dialog.findChild<QComboBox*>("cbFromDeviceOfAllOutput");
    const int index = all->findText(entry);
    ASSERT_GE(index, 0) << entry.toStdString();
    all->setCurrentIndex(index);
    emit all->activated(index);
}

struct PresetWindow : testing::Test {
    QTableWidget* list() const { return w.h.find<QTableWidget>("lvPreSetting"); }
    void selectRow(int row) const { list()->selectRow(row - 1); }
    void click(const char* button) const { w.h.find<QPushButton>(button)->click(); }

    SettingWindow w{kPresets};
};

TEST_F(PresetWindow, RowsLoadFromTheSettingsFile) {
    EXPECT_EQ(rowCells(list(), 1), (QStringList{"Morning", "3", "4", "1", "2", "3", "4"}));
    EXPECT_EQ(rowCells(list(), 2), (QStringList{"Setting2", "2", "2", "2", "2", "2", "2"}));
    EXPECT_EQ(rowCells(list(), 8), (QStringList{"Setting8", "1", "2", "3", "4", "5", "6"}));
    EXPECT_EQ(list()->rowCount(), 8);
    EXPECT_EQ(list()->columnWidth(0), 125);
    EXPECT_EQ(list()->columnWidth(6), 90);
}

TEST_F(PresetWindow, ShowingTheSettingPageSelectsTheFirstRow) {
    w.showSettingPage();
    EXPECT_EQ(list()->selectionModel()->selectedRows().size(), 1);
    EXPECT_EQ(list()->currentRow(), 0);
}

TEST_F(PresetWindow, BothButtonsAskForASelectionFirst) {
    click("btnPreEdit");
    click("btnSet");
    EXPECT_EQ(w.h.dialogs.texts("information"),
              (QStringList{"Please select item.", "Please select item."}));
    EXPECT_TRUE(w.routesSent().empty());
}

TEST_F(PresetWindow, EditPreselectsTheCellsAndPortToPortStoresOneToSix) {
    selectRow(1);
    std::vector<int> preselected;
    QString caption;
    QSize size;
    QPoint okAt;
    onNextModal([&](QDialog& dialog) {
        preselected = chosenInputs(dialog);
        caption = dialog.windowTitle();
        size = dialog.size();
        okAt = dialog.findChild<QPushButton*>("btnOK")->pos();
        chooseAllOutputsFrom(dialog, "Port to Port");
        dialog.findChild<QLineEdit*>("leSettingName")->setText("Evening");
        dialog.findChild<QPushButton*>("btnOK")->click();
    });
    click("btnPreEdit");
    EXPECT_EQ(preselected, (std::vector<int>{3, 4, 1, 2, 3, 4}));
    EXPECT_EQ(caption, "Edit Output setting");
    EXPECT_EQ(size, QSize(567, 357));
    EXPECT_EQ(okAt, QPoint(296, 296));
    EXPECT_EQ(rowCells(list(), 1), (QStringList{"Evening", "1", "2", "3", "4", "5", "6"}));
    // OK writes the file at once, so a crash cannot lose the edit.
    EXPECT_TRUE(w.settingsText().contains("value1=1,2,3,4,5,6"));
    EXPECT_TRUE(w.settingsText().contains("Setting1=Evening"));
}

TEST_F(PresetWindow, AllOutputsFromAnInputOverwritesSingleChoices) {
    selectRow(2);
    onNextModal([](QDialog& dialog) {
        dialog.findChild<QComboBox*>("cbFromDeviceOfOutput4")->setCurrentIndex(5);
        chooseAllOutputsFrom(dialog, "In5");
        EXPECT_EQ(chosenInputs(dialog), std::vector<int>(6, 5));
        chooseAllOutputsFrom(dialog, "Select Input");
        EXPECT_EQ(chosenInputs(dialog), std::vector<int>(6, 5));
        dialog.findChild<QPushButton*>("btnOK")->click();
    });
    click("btnPreEdit");
    EXPECT_EQ(rowCells(list(), 2), (QStringList{"Setting2", "5", "5", "5", "5", "5", "5"}));
}

TEST_F(PresetWindow, CancelAndEscDiscardTheEdits) {
    selectRow(1);
    for (const bool useEsc : {false, true}) {
        onNextModal([useEsc](QDialog& dialog) {
            chooseAllOutputsFrom(dialog, "In6");
            dialog.findChild<QLineEdit*>("leSettingName")->setText("Changed");
            if (useEsc) {
                dialog.reject();
            } else {
                dialog.findChild<QPushButton*>("btnCancel")->click();
            }
        });
        click("btnPreEdit");
        EXPECT_EQ(rowCells(list(), 1), (QStringList{"Morning", "3", "4", "1", "2", "3", "4"}));
    }
}

TEST(PresetWindowFile, DoubleClickEditsAndListsShowTags) {
    SettingWindow tagged("[Tag of Input - COM]\nIn2=DVD\n[Tag of Output - COM]\nOut3=TV\n");
    auto* taggedList = tagged.h.find<QTableWidget>("lvPreSetting");
    taggedList->selectRow(0);
    QStringList entries;
    QStringList allEntries;
    QString label3;
    onNextModal([&](QDialog& dialog) {
        auto* source = dialog.findChild<QComboBox*>("cbFromDeviceOfOutput6");
        for (int i = 0; i < source->count(); ++i) entries << source->itemText(i);
        auto* all = dialog.findChild<QComboBox*>("cbFromDeviceOfAllOutput");
        for (int i = 0; i < all->count(); ++i) allEntries << all->itemText(i);
        label3 = dialog.findChild<QLabel*>("lblOutput3")->text();
        dialog.reject();
    });
    emit taggedList->cellDoubleClicked(0, 0);
    EXPECT_EQ(entries, (QStringList{"In1", "In2 - [DVD]", "In3", "In4", "In5", "In6"}));
    EXPECT_EQ(allEntries, (QStringList{"Select Input", "In1", "In2 - [DVD]", "In3", "In4", "In5",
                                       "In6", "Port to Port"}));
    EXPECT_EQ(label3, "Out3 - [TV] from");
}

TEST_F(PresetWindow, SetAppliesTheRowThroughTheRoutingView) {
    w.showSettingPage();
    w.h.transport->written.clear();
    click("btnSet");
    EXPECT_EQ(w.routesSent(),
              (std::vector<SentRoute>{{1, 3}, {2, 4}, {3, 1}, {4, 2}, {5, 3}, {6, 4}}));
    EXPECT_EQ(w.switcherRoutes(), (std::vector<int>{3, 4, 1, 2, 3, 4}));
    EXPECT_EQ(w.digits(), (QStringList{"3", "4", "1", "2", "3", "4"}));
}

TEST_F(PresetWindow, SetStopsAtTheFirstRefusedOutput) {
    w.showSettingPage();
    w.h.transport->written.clear();
    w.refuseRoutesTo(3);
    click("btnSet");
    EXPECT_EQ(w.routesSent(), (std::vector<SentRoute>{{1, 3}, {2, 4}, {3, 1}}));
    EXPECT_EQ(w.digits(), (QStringList{"3", "4", "3", "4", "5", "6"}));
    EXPECT_EQ(w.switcherRoutes(), (std::vector<int>{3, 4, 3, 4, 5, 6}));
}

TEST_F(PresetWindow, SetWhilePoweredOffStopsAtOutputOne) {
    selectRow(1);
    w.setPower(false);
    click("btnSet");
    EXPECT_EQ(w.h.dialogs.texts("information"), QStringList{kPowerOffText});
    EXPECT_TRUE(w.routesSent().empty());
    EXPECT_EQ(w.digits(), (QStringList{"6", "6", "6", "6", "6", "6"}));
}

TEST(PresetWindowFile, CellThatIsNoInputIsNeverSent) {
    SettingWindow w("[Pre-Setting value]\nvalue1=2,9,abc\n");
    w.h.find<QTableWidget>("lvPreSetting")->selectRow(0);
    w.h.find<QPushButton>("btnSet")->click();
    EXPECT_EQ(w.routesSent(), (std::vector<SentRoute>{{1, 2}}));
    EXPECT_EQ(w.h.panel(3), "Pre-setting stopped: Output2 holds \"9\", not an input from 1 to 6");
}

}  // namespace

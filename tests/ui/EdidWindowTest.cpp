#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>

#include "ModalScript.h"
#include "WindowHarness.h"
#include "sim/SampleEdid.h"
#include "ui/presenters/general/DeviceStatusPresenter.h"

namespace {

using testing_support::WindowHarness;

constexpr char kComSettings[] = "[Control mode]\nMode=0\n[COM port]\nName=ttySIM\n";
constexpr int kGeneralPage = 0;
constexpr int kEdidPage = 3;
constexpr int kEdidGroup = 0x03;
const QString kFilter = QStringLiteral("Binary file(*.bin)|*.bin");
const QString kNotConnected =
    QStringLiteral("EDID can not be read because output not connected.\r\n[Output3]");

// A request of the EDID group as (code, P1, P2).
struct Sent {
    int code, p1, p2;
    bool operator==(const Sent&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Sent& s) {
    return out << std::hex << '{' << s.code << ',' << s.p1 << ',' << s.p2 << '}';
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList hexCells(const QByteArray& edid) {
    QStringList cells;
    for (int i = 0; i < sim::kEdidSize; ++i) {
        cells << QStringLiteral("%1").arg(quint8(edid[i]), 2, 16, QLatin1Char('0')).toUpper();
    }
    return cells;
}

// Helpers on the main window's "EDID control" tab.
struct EdidTab {
    explicit EdidTab(WindowHarness& harness) : h(harness) {}

    void showPage(int index) const { h.find<QTabWidget>("pcContainer")->setCurrentIndex(index); }
    QComboBox* list(const char* name) const { return h.find<QComboBox>(name); }
    void choose(const char* name, const QString& text) const {
        QComboBox* box = list(name);
        const int index = box->findText(text);
        ASSERT_GE(index, 0) << name << ": " << text.toStdString();
        box->setCurrentIndex(index);
    }
    void click(const char* name) const { h.find<QPushButton>(name)->click(); }
    QString edit(const char* name) const { return h.find<QLineEdit>(name)->text(); }
    QTableWidget* grid() const { return h.find<QTableWidget>("sgEDIDContent"); }
    QStringList cells() const {
        QStringList texts;
        for (int row = 0; row < 16; ++row) {
            for (int column = 0; column < 16; ++column) {
                const QTableWidgetItem* cell = grid()->item(row, column);
                texts << (cell ? cell->text() : QString());
            }
        }
        return texts;
    }
    QLabel* summary() const { return h.find<QLabel>("lblEdidSummary"); }
    QString writeFile(const QString& name, const QByteArray& bytes) const {
        const QString path = h.dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    // Opens a file through BitBtn1.
    void open(const QString& path) const {
        h.dialogs.fileNames.push_back(path);
        click("BitBtn1");
    }
    std::vector<Sent> sent() const {
        std::vector<Sent> result;
        for (const QByteArray& unit : h.transport->written) {
            const auto byte = [&unit](int i) { return int(quint8(unit[i])); };
            if (unit.size() >= 13 && byte(2) == kEdidGroup) {
                result.push_back({byte(3), byte(4) | byte(5) << 8, byte(6) | byte(7) << 8});
            }
        }
        return result;
    }

    WindowHarness& h;
};

// The window in COM control mode on the simulator, switched on, showing the "EDID control" tab.
struct EdidWindow : ::testing::Test {
    void SetUp() override {
        h.ports.names = {"ttySIM"};
        h.writeSettings(kComSettings);
        h.show();
        ASSERT_TRUE(h.form().DeviceStatus().ReadPowerState());
        tab.showPage(kEdidPage);
        h.transport->written.clear();
    }

    WindowHarness h;
    EdidTab tab{h};
    const QByteArray sample = sim::makeSampleEdid(0x1234, "TEST PANEL");
};

TEST(EdidWindowForm, GridListsAndButtonsAreReady) {
    WindowHarness h;
    h.show();
    const EdidTab tab(h);
    QTableWidget* grid = tab.grid();
    ASSERT_EQ(grid->rowCount(), 16);
    ASSERT_EQ(grid->columnCount(), 16);
    EXPECT_EQ(grid->horizontalHeaderItem(0)->text(), "0");
    EXPECT_EQ(grid->horizontalHeaderItem(10)->text(), "A");
    EXPECT_EQ(grid->horizontalHeaderItem(15)->text(), "F");
    EXPECT_EQ(grid->verticalHeaderItem(0)->text(), "00");
    EXPECT_EQ(grid->verticalHeaderItem(1)->text(), "10");
    EXPECT_EQ(grid->verticalHeaderItem(15)->text(), "F0");
    EXPECT_EQ(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
    // Some monospaced fonts are not flagged fixed-pitch, so the widths themselves are compared.
    const QFontMetrics metrics(grid->font());
    for (const QChar glyph : QStringLiteral("0123456789ABCDEFWi")) {
        EXPECT_EQ(metrics.horizontalAdvance(glyph), metrics.horizontalAdvance(QLatin1Char('0')))
            << glyph.toLatin1();
    }
    EXPECT_EQ(tab.cells(), QStringList(256, QString()));
    EXPECT_TRUE(tab.summary()->isHidden());

    EXPECT_EQ(tab.list("cbEDIDMode")->count(), 19);
    EXPECT_EQ(tab.list("cbEDIDMode")->itemText(17), "User2");
    const std::pair<const char*, QStringList> lists[] = {
        {"cbSetEDIDModeInput",
         {"Select Input", "In1", "In2", "In3", "In4", "In5", "In6", "All Inputs"}},
        {"cbCopyEDIDInput",
         {"Select Input", "In1", "In2", "In3", "In4", "In5", "In6", "All Inputs"}},
        {"cbDownloadEDIDInput",
         {"Select Input", "In1", "In2", "In3", "In4", "In5", "In6", "All Inputs", "User1 Memory",
          "User2 Memory"}},
        {"cbCopyEDIDOutput", {"Select Output", "Out1", "Out2", "Out3", "Out4", "Out5", "Out6"}},
        {"cbReadEDIDDataOutput", {"Select Output", "Out1", "Out2", "Out3", "Out4", "Out5", "Out6"}},
    };
    for (const auto& [name, entries] : lists) {
        QStringList shown;
        for (int i = 0; i < tab.list(name)->count(); ++i) shown << tab.list(name)->itemText(i);
        EXPECT_EQ(shown, entries) << name;
        EXPECT_EQ(tab.list(name)->currentIndex(), 0) << name;
    }
    for (const char* name :
         {"cbEDIDMode", "btnSetEDIDMode", "btnCopyEDID", "btnReadEDIDData", "btnSaveEDID",
          "btnDownloadEDID", "BitBtn1", "sgEDIDContent", "btnClearEDIDContent"}) {
        EXPECT_TRUE(h.find<QWidget>(QLatin1String(name))->isEnabled()) << name;
    }
}

TEST_F(EdidWindow, EveryRowAndColumnOfTheGridIsInSight) {
    QTableWidget* grid = tab.grid();
    const QSize viewport = grid->viewport()->size();
    EXPECT_LE(grid->rowViewportPosition(15) + grid->rowHeight(15), viewport.height());
    EXPECT_LE(grid->columnViewportPosition(15) + grid->columnWidth(15), viewport.width());
    const QFontMetrics metrics(grid->font());
    EXPECT_GE(grid->columnWidth(0), metrics.horizontalAdvance(QStringLiteral("FF")));
    EXPECT_GE(grid->rowHeight(0), metrics.height());
}

TEST_F(EdidWindow, ReadsAnOutputIntoTheGridAndSavesIt) {
    tab.choose("cbReadEDIDDataOutput", "Out1");
    tab.click("btnReadEDIDData");
    const QByteArray display = h.sim.state().outputEdid[0];
    EXPECT_EQ(tab.cells(), hexCells(display));
    // The transfer's own acknowledgements follow the request.
    ASSERT_FALSE(tab.sent().empty());
    EXPECT_EQ(tab.sent().front(), (Sent{0x05, 0xF001, 0}));
    EXPECT_EQ(h.panel(2), "Done");
    EXPECT_FALSE(tab.summary()->isHidden());
    EXPECT_FALSE(tab.summary()->text().isEmpty());

    const QString chosen = h.dir.filePath(QStringLiteral("display"));
    h.dialogs.fileNames.push_back(chosen);
    tab.click("btnSaveEDID");
    EXPECT_EQ(h.dialogs.texts("save"), QStringList{kFilter});
    EXPECT_EQ(tab.edit("edtSaveEDID"), chosen + ".bin");
    EXPECT_EQ(readFile(chosen + ".bin"), display);
}

TEST_F(EdidWindow, Opens257BytesAndSavesBack256) {
    const QString path = tab.writeFile("long.bin", sample + '\x5A');
    tab.open(path);
    EXPECT_EQ(h.dialogs.texts("open"), QStringList{kFilter});
    EXPECT_EQ(tab.edit("edtOpenEDID"), path);
    EXPECT_EQ(h.find<QLineEdit>("edtOpenEDID")->cursorPosition(), path.size());
    EXPECT_EQ(tab.cells(), hexCells(sample));

    const QString saved = h.dir.filePath(QStringLiteral("short.BIN"));
    h.dialogs.fileNames.push_back(saved);
    tab.click("btnSaveEDID");
    EXPECT_EQ(readFile(saved), sample);
}

TEST_F(EdidWindow, RefusesAnUnusableFileAndKeepsTheGrid) {
    tab.open(tab.writeFile("good.bin", sample));
    QByteArray badHeader = sample;
    badHeader[0] = 0x01;
    badHeader[255] = char(quint8(badHeader[255]) - 1);  // checksum still right
    QByteArray badChecksum = sample;
    badChecksum[255] = char(quint8(badChecksum[255]) + 1);
    const std::pair<const char*, QByteArray> files[] = {
        {"short.bin", sample.first(128)},       {"header.bin", badHeader},
        {"checksum.bin", badChecksum},          {"empty.bin", QByteArray()},
        {"long.bin", sample + sample.first(2)},
    };
    for (const auto& [name, bytes] : files) {
        h.dialogs.shown.clear();
        tab.open(tab.writeFile(QLatin1String(name), bytes));
        EXPECT_EQ(h.dialogs.texts("error"), QStringList{"EDID content error."}) << name;
        EXPECT_EQ(tab.cells(), hexCells(sample)) << name;
    }
    h.dialogs.shown.clear();
    tab.open(h.dir.filePath(QStringLiteral("missing.bin")));
    EXPECT_EQ(h.dialogs.texts("error"), QStringList{"EDID content error."});
    EXPECT_EQ(tab.cells(), hexCells(sample));
}

TEST_F(EdidWindow, SetModeSendsTheGateThenTheMode) {
    struct Case {
        const char* mode;
        const char* input;
        Sent command;
    };
    const Case cases[] = {
        {"User2", "In3", {0x02, 0xF200, 3}},
        {"User1", "All Inputs", {0x01, 0xF100, 0}},
        {"1080i, Stereo Audio 2.0", "In1", {0x02, 0xF001, 1}},
        {"1920x1200 DVI", "In6", {0x02, 0xF00F, 6}},
        {"Default EDID", "All Inputs", {0x09, 0xFE, 0}},
        {"Default EDID", "In2", {0x0A, 2, 0}},
    };
    for (const Case& c : cases) {
        h.transport->written.clear();
        tab.choose("cbEDIDMode", QLatin1String(c.mode));
        tab.choose("cbSetEDIDModeInput", QLatin1String(c.input));
        tab.click("btnSetEDIDMode");
        EXPECT_EQ(tab.sent(), (std::vector<Sent>{{0x08, 0xF0, 0}, c.command}))
            << c.mode << " / " << c.input;
        EXPECT_EQ(h.panel(2), "Done");
    }
}

TEST_F(EdidWindow, DownloadsTheGridToTheChosenTarget) {
    tab.open(tab.writeFile("sample.bin", sample));
    tab.choose("cbDownloadEDIDInput", "All Inputs");
    tab.click("btnDownloadEDID");
    // The data block follows the request.
    ASSERT_EQ(tab.sent().size(), 3u);
    EXPECT_EQ(tab.sent()[0], (Sent{0x08, 0xF0, 0}));
    EXPECT_EQ(tab.sent()[1], (Sent{0x06, 0xF0FE, 0}));
    EXPECT_EQ(h.panel(2), "Done");
    for (const QByteArray& input : h.sim.state().inputEdid) EXPECT_EQ(input, sample);

    h.transport->written.clear();
    tab.choose("cbDownloadEDIDInput", "User1 Memory");
    tab.click("btnDownloadEDID");
    ASSERT_EQ(tab.sent().size(), 3u);
    EXPECT_EQ(tab.sent()[1], (Sent{0x07, 0xF100, 0}));
    EXPECT_EQ(h.sim.state().userEdid[0], sample);
}

TEST_F(EdidWindow, AnUnconnectedOutputIsNotReadOrCopied) {
    tab.open(tab.writeFile("sample.bin", sample));
    h.dialogs.shown.clear();
    tab.choose("cbReadEDIDDataOutput", "Out3");
    tab.click("btnReadEDIDData");
    EXPECT_EQ(h.dialogs.texts("information"), QStringList{kNotConnected});
    EXPECT_EQ(tab.cells(), QStringList(256, QString()));  // Read empties the grid first

    h.dialogs.shown.clear();
    tab.choose("cbCopyEDIDOutput", "Out3");
    tab.choose("cbCopyEDIDInput", "In1");
    tab.click("btnCopyEDID");
    EXPECT_EQ(h.dialogs.texts("information"), QStringList{kNotConnected});
    EXPECT_TRUE(tab.sent().empty());
}

TEST_F(EdidWindow, CopiesAConnectedOutputToAnInput) {
    tab.choose("cbCopyEDIDOutput", "Out2");
    tab.choose("cbCopyEDIDInput", "In5");
    tab.click("btnCopyEDID");
    EXPECT_EQ(tab.sent(), (std::vector<Sent>{{0x08, 0xF0, 0}, {0x04, 2, 5}}));
    EXPECT_EQ(h.sim.state().inputEdid[4], h.sim.state().outputEdid[1]);
}

TEST_F(EdidWindow, AClearedGridIsNeitherSavedNorDownloaded) {
    tab.open(tab.writeFile("sample.bin", sample));
    tab.click("btnClearEDIDContent");
    EXPECT_EQ(tab.cells(), QStringList(256, QString()));
    EXPECT_TRUE(tab.summary()->isHidden());
    EXPECT_EQ(tab.grid()->horizontalHeaderItem(15)->text(), "F");

    h.dialogs.shown.clear();
    h.dialogs.fileNames.push_back(h.dir.filePath(QStringLiteral("never.bin")));
    tab.click("btnSaveEDID");
    EXPECT_EQ(h.dialogs.texts("information"), QStringList{"EDID Content empty."});
    EXPECT_TRUE(h.dialogs.texts("save").isEmpty());
    EXPECT_FALSE(QFile::exists(h.dir.filePath(QStringLiteral("never.bin"))));

    tab.choose("cbDownloadEDIDInput", "In1");
    tab.click("btnDownloadEDID");
    EXPECT_EQ(h.panel(3), "EDID Content empty, open EDID file first");
    EXPECT_TRUE(tab.sent().empty());
}

TEST_F(EdidWindow, NothingChosenSendsNothing) {
    for (const char* button :
         {"btnSetEDIDMode", "btnCopyEDID", "btnReadEDIDData", "btnDownloadEDID"}) {
        tab.click(button);
        EXPECT_EQ(h.panel(3), "Select list item first") << button;
    }
    EXPECT_TRUE(h.transport->written.isEmpty());
}

TEST_F(EdidWindow, ShowingThePageShowsNewTagsAndKeepsTheChoices) {
    tab.choose("cbCopyEDIDInput", "In3");
    tab.choose("cbReadEDIDDataOutput", "Out2");
    tab.showPage(kGeneralPage);
    const auto tag = [this](const QString& box, const char* button, const QString& text) {
        testing_support::onNextModal([&](QDialog& dialog) {
            dialog.findChild<QComboBox*>(box)->setEditText(text);
            dialog.findChild<QPushButton*>("btnOK")->click();
        });
        h.find<QPushButton>(button)->click();
    };
    tag("cbDevNameOfInput3", "btnEditInputPortTag", "DVD");
    tag("cbDispNameOfOutput2", "btnEditOutputPortTag", "TV");
    tab.showPage(kEdidPage);
    EXPECT_EQ(tab.list("cbCopyEDIDInput")->currentText(), "In3 - [DVD]");
    EXPECT_EQ(tab.list("cbDownloadEDIDInput")->itemText(3), "In3 - [DVD]");
    EXPECT_EQ(tab.list("cbReadEDIDDataOutput")->currentText(), "Out2 - [TV]");
}

TEST(EdidWindowSettings, ChoicesAndPathsSurviveSavingAndLoading) {
    WindowHarness first;
    first.show();
    const EdidTab tab(first);
    const QString opened = tab.writeFile("sample.bin", sim::makeSampleEdid(0x42, "KEPT"));
    tab.open(opened);
    const QString saved = first.dir.filePath(QStringLiteral("copy.bin"));
    first.dialogs.fileNames.push_back(saved);
    tab.click("btnSaveEDID");
    const std::pair<const char*, QString> choices[] = {
        {"cbEDIDMode", "3D, Dolby/DTS 5.1"}, {"cbSetEDIDModeInput", "All Inputs"},
        {"cbCopyEDIDOutput", "Out4"},        {"cbCopyEDIDInput", "In2"},
        {"cbReadEDIDDataOutput", "Out6"},    {"cbDownloadEDIDInput", "User2 Memory"},
    };
    for (const auto& [name, text] : choices) tab.choose(name, text);
    first.form().SaveSettings();
    const QByteArray file = readFile(first.settingsPath);
    EXPECT_TRUE(file.contains("In of Download EDID=User2 Memory\n")) << file.toStdString();
    EXPECT_TRUE(file.contains("EDID mode=3D, Dolby/DTS 5.1\n"));

    WindowHarness second;
    second.writeSettings(file);
    second.show();
    const EdidTab reloaded(second);
    for (const auto& [name, text] : choices) {
        EXPECT_EQ(reloaded.list(name)->currentText(), text) << name;
    }
    EXPECT_EQ(reloaded.edit("edtOpenEDID"), opened);
    EXPECT_EQ(reloaded.edit("edtSaveEDID"), saved);
}

}  // namespace

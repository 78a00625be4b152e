#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <random>

#include "EdidPresenterHarness.h"
#include "sim/SampleEdid.h"
#include "support/CaseName.h"
#include "ui/presenters/edid/EdidFileName.h"

using namespace edid_testing;

namespace {

const QString kContentError = QStringLiteral("EDID content error.");

QByteArray sample() {
    return sim::makeSampleEdid(0x0555, "ON FILE");
}

TEST(EdidOpen, A257ByteFileIsAcceptedAndSavedBackAs256) {
    EdidHarness h;
    h.view.fileToOpen = h.writeFile(QStringLiteral("long.bin"), sample() + char(0x5A));
    h.edid->BitBtn1Click();
    EXPECT_EQ(h.view.open, h.view.fileToOpen);
    EXPECT_EQ(h.view.cells, hexCells(sample()));
    EXPECT_TRUE(h.view.summary.contains(QStringLiteral("ON FILE")));
    EXPECT_TRUE(h.view.errors.empty());

    h.view.fileToSave = h.file(QStringLiteral("short.bin"));
    h.edid->btnSaveEDIDClick();
    EXPECT_EQ(readWhole(h.view.fileToSave), sample());
    EXPECT_TRUE(h.transport->written.isEmpty());
}

// Every kind of unusable file: refused with the one message, the grid as it was.
struct BadFile {
    const char* name;
    std::function<QString(EdidHarness&)> make;
};

QByteArray withByte(QByteArray bytes, int index, char value) {
    bytes[index] = value;
    return bytes;
}

QByteArray randomBytes(int size) {
    std::mt19937 generator(7);
    QByteArray bytes(size, 0);
    for (char& b : bytes) b = char(generator());
    return bytes;
}

class EdidOpenRefused : public ::testing::TestWithParam<BadFile> {};

TEST_P(EdidOpenRefused, ShowsTheErrorAndKeepsTheGrid) {
    EdidHarness h;
    const QByteArray before = h.sim.state().outputEdid[4];
    h.openEdid(before);
    const QString summaryBefore = h.view.summary;
    h.view.fileToOpen = GetParam().make(h);
    h.edid->BitBtn1Click();
    EXPECT_EQ(h.view.errors, std::vector<QString>{kContentError});
    EXPECT_EQ(h.view.open, h.view.fileToOpen);
    EXPECT_EQ(h.view.cells, hexCells(before));
    EXPECT_EQ(h.view.summary, summaryBefore);
    EXPECT_TRUE(h.transport->written.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Files, EdidOpenRefused,
    ::testing::Values(
        BadFile{"Short128",
                [](EdidHarness& h) { return h.writeFile("a.bin", sample().left(128)); }},
        BadFile{"BadChecksum",
                [](EdidHarness& h) {
                    return h.writeFile("a.bin", withByte(sample(), 255, char(sample()[255] ^ 1)));
                }},
        BadFile{"BadHeader",
                [](EdidHarness& h) {
                    // The checksum still holds: only the header is wrong.
                    QByteArray edid = withByte(sample(), 0, 0x01);
                    edid[255] = char(edid[255] - 1);
                    return h.writeFile("a.bin", edid);
                }},
        BadFile{"Empty", [](EdidHarness& h) { return h.writeFile("a.bin", {}); }},
        BadFile{"Size258", [](EdidHarness& h) { return h.writeFile("a.bin", sample() + "xy"); }},
        BadFile{"Huge",
                [](EdidHarness& h) { return h.writeFile("a.bin", sample().repeated(8192)); }},
        BadFile{"RandomBytes",
                [](EdidHarness& h) { return h.writeFile("a.bin", randomBytes(256)); }},
        BadFile{"Directory",
                [](EdidHarness& h) {
                    QDir(h.dir.path()).mkdir("folder.bin");
                    return h.file("folder.bin");
                }},
        BadFile{"Missing", [](EdidHarness& h) { return h.file("gone.bin"); }},
        BadFile{"Unreadable",
                [](EdidHarness& h) {
                    // Random content too, so the case holds even where permissions do not bind.
                    const QString path = h.writeFile("locked.bin", randomBytes(256));
                    QFile::setPermissions(path, QFileDevice::Permissions());
                    return path;
                }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EdidOpen, ARefusedFileLeavesTheEarlierBytesForDownload) {
    EdidHarness h;
    const QByteArray earlier = h.sim.state().outputEdid[0];
    h.openEdid(earlier);
    h.view.fileToOpen =
        h.writeFile(QStringLiteral("bad.bin"), withByte(sample(), 255, char(sample()[255] + 1)));
    h.edid->BitBtn1Click();
    ASSERT_EQ(h.view.errors, std::vector<QString>{kContentError});
    h.choose(EdidList::DownloadInput, 4);
    h.edid->btnDownloadEDIDClick();
    EXPECT_EQ(h.sim.state().inputEdid[3], earlier);
}

TEST(EdidOpen, CancelledDialogChangesNothing) {
    EdidHarness h;
    h.view.open = QStringLiteral("kept");
    h.edid->BitBtn1Click();
    EXPECT_EQ(h.view.open, QStringLiteral("kept"));
    EXPECT_TRUE(h.view.errors.empty());
    EXPECT_EQ(h.view.cells, QStringList(256, QString()));
}

struct NameCase {
    const char* chosen;
    const char* saved;
};

class EdidSaveName : public ::testing::TestWithParam<NameCase> {};

TEST_P(EdidSaveName, AppendsBinUnlessTheNameEndsInIt) {
    EXPECT_EQ(ui::edidSaveFileName(QString::fromLatin1(GetParam().chosen)),
              QString::fromLatin1(GetParam().saved));
}

INSTANTIATE_TEST_SUITE_P(
    Names, EdidSaveName,
    ::testing::Values(NameCase{"/d/x.txt", "/d/x.txt.bin"}, NameCase{"/d/X.BIN", "/d/X.BIN"},
                      NameCase{"/d/x.Bin", "/d/x.Bin"}, NameCase{"/d/x", "/d/x.bin"},
                      NameCase{"/d/x.bin.txt", "/d/x.bin.txt.bin"},
                      NameCase{"/d.bin/x", "/d.bin/x.bin"}, NameCase{"/d/x.", "/d/x..bin"},
                      NameCase{"/d/.bin", "/d/.bin"}),
    testing_support::CaseNamer([](const NameCase& c) { return std::string(c.chosen); }));

TEST(EdidSave, ADotTxtNameIsSavedWithBinAppended) {
    EdidHarness h;
    h.openEdid(sample());
    h.view.fileToSave = h.file(QStringLiteral("x.txt"));
    h.edid->btnSaveEDIDClick();
    EXPECT_EQ(h.view.save, h.file(QStringLiteral("x.txt.bin")));
    EXPECT_EQ(readWhole(h.file(QStringLiteral("x.txt.bin"))), sample());
    EXPECT_FALSE(QFile::exists(h.file(QStringLiteral("x.txt"))));
}

TEST(EdidSave, AnUpperCaseBinNameIsKept) {
    EdidHarness h;
    h.openEdid(sample());
    h.view.fileToSave = h.file(QStringLiteral("X.BIN"));
    h.edid->btnSaveEDIDClick();
    EXPECT_EQ(h.view.save, h.file(QStringLiteral("X.BIN")));
    EXPECT_EQ(readWhole(h.view.save), sample());
}

TEST(EdidSave, AnExistingFileIsOverwrittenOnlyAfterYes) {
    for (const bool yes : {false, true}) {
        EdidHarness h;
        h.openEdid(sample());
        const QString path = h.writeFile(QStringLiteral("old.bin"), "old");
        h.view.fileToSave = path;
        h.view.answerYes = yes;
        h.edid->btnSaveEDIDClick();
        EXPECT_EQ(h.view.questions, std::vector<QString>{path + " exists, overwrite it?"});
        EXPECT_EQ(readWhole(path), yes ? sample() : QByteArray("old"));
        EXPECT_EQ(h.view.save, path);
    }
}

TEST(EdidSave, AClearedGridIsRefusedAsEmptyBeforeAnyDialog) {
    EdidHarness h;
    h.openEdid(sample());
    h.edid->btnClearEDIDContentClick();
    h.view.filters.clear();
    h.view.fileToSave = h.file(QStringLiteral("never.bin"));
    h.edid->btnSaveEDIDClick();
    EXPECT_EQ(h.log.boxes, std::vector<QString>{QStringLiteral("EDID Content empty.")});
    EXPECT_TRUE(h.view.filters.empty());
    EXPECT_FALSE(QFile::exists(h.file(QStringLiteral("never.bin"))));
}

TEST(EdidSave, AFailedWriteIsReportedAndKeepsTheOldFile) {
    EdidHarness h;
    h.openEdid(sample());
    QDir(h.dir.path()).mkdir(QStringLiteral("taken.bin"));
    h.view.fileToSave = h.file(QStringLiteral("taken.bin"));
    h.view.answerYes = true;
    h.edid->btnSaveEDIDClick();
    EXPECT_EQ(h.view.errors, std::vector<QString>{h.view.fileToSave + " can not be written."});
    EXPECT_TRUE(QFileInfo(h.view.fileToSave).isDir());
}

TEST(EdidSave, CancelledDialogWritesNothing) {
    EdidHarness h;
    h.openEdid(sample());
    h.view.save = QStringLiteral("kept");
    h.edid->btnSaveEDIDClick();
    EXPECT_EQ(h.view.save, QStringLiteral("kept"));
    EXPECT_EQ(QDir(h.dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("opened.bin")});
}

}  // namespace

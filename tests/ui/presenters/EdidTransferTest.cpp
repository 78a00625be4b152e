#include <gtest/gtest.h>

#include "EdidPresenterHarness.h"
#include "sim/SampleEdid.h"
#include "support/CaseName.h"

using namespace edid_testing;
using Sent = EdidHarness::Sent;

namespace {

const QString kBusy = QStringLiteral("In processing, command ignored");

TEST(ReadEdid, ReadsTheOutputIntoTheGridAndSavesItAsTheSwitcherHasIt) {
    EdidHarness h;
    h.choose(EdidList::ReadOutput, 2);
    h.edid->btnReadEDIDDataClick();
    const QByteArray display = h.sim.state().outputEdid[1];
    EXPECT_EQ(h.view.cells, hexCells(display));
    EXPECT_TRUE(h.view.summary.contains(QStringLiteral("SIM DISPLAY 2")))
        << h.view.summary.toStdString();
    const std::vector<Sent> sent = h.sentHeaders();
    ASSERT_GE(sent.size(), 3u);
    EXPECT_EQ(sent[0], (Sent{0x01, 0x05, 2, 0}));
    EXPECT_EQ(sent[1], (Sent{0x03, 0x05, 0xF002, 0}));
    EXPECT_EQ(sent[2], (Sent{0x03, 0x05, 0x00AA, 0}));  // the first block is asked for
    EXPECT_EQ(h.log.panel(2).back(), QStringLiteral("Done"));
    EXPECT_EQ(h.log.panel(3).back(), QString());
    EXPECT_TRUE(h.flags.idle());

    h.view.fileToSave = h.file(QStringLiteral("display"));
    h.edid->btnSaveEDIDClick();
    EXPECT_EQ(h.view.save, h.file(QStringLiteral("display.bin")));
    EXPECT_EQ(readWhole(h.view.save), display);
    EXPECT_EQ(h.view.filters, std::vector<QString>{QStringLiteral("Binary file(*.bin)|*.bin")});
}

TEST(ReadEdid, ShowsReadingThenDoneWithTheLinkBusyMeanwhile) {
    EdidHarness h;
    h.choose(EdidList::ReadOutput, 1);
    std::vector<bool> idleDuringRead;
    h.pump->onTick = [&h, &idleDuringRead] {
        if (!h.log.panel(2).empty() && h.log.panel(2).back() == QStringLiteral("Reading..."))
            idleDuringRead.push_back(h.flags.idle());
    };
    h.edid->btnReadEDIDDataClick();
    ASSERT_FALSE(idleDuringRead.empty());
    EXPECT_EQ(std::count(idleDuringRead.begin(), idleDuringRead.end(), true), 0);
    const std::vector<QString> panel2 = h.log.panel(2);
    ASSERT_GE(panel2.size(), 2u);
    EXPECT_EQ(panel2[panel2.size() - 2], QStringLiteral("Reading..."));
    EXPECT_EQ(panel2.back(), QStringLiteral("Done"));
}

TEST(ReadEdid, AnUnconnectedOutputEmptiesTheGridShowsTheTextAndReadsNothing) {
    EdidHarness h;
    h.openEdid(h.sim.state().outputEdid[0]);
    h.forget();
    h.choose(EdidList::ReadOutput, 3);
    h.edid->btnReadEDIDDataClick();
    EXPECT_EQ(h.sentHeaders(), (std::vector<Sent>{{0x01, 0x05, 3, 0}}));
    EXPECT_EQ(h.log.boxes, std::vector<QString>{QStringLiteral(
                               "EDID can not be read because output not connected.\r\n[Output3]")});
    EXPECT_EQ(h.view.cells, QStringList(256, QString()));
    EXPECT_EQ(h.view.summary, QString());
}

TEST(ReadEdid, AnImageFailingTheCheckLeavesTheGridEmptyWithoutAMessage) {
    EdidHarness h;
    h.sim.state().outputEdid[0][255] = char(h.sim.state().outputEdid[0][255] + 1);
    h.choose(EdidList::ReadOutput, 1);
    h.edid->btnReadEDIDDataClick();
    EXPECT_EQ(h.view.cells, QStringList(256, QString()));
    EXPECT_TRUE(h.log.boxes.empty());
    EXPECT_TRUE(h.view.errors.empty());
    EXPECT_EQ(h.log.panel(2).back(), QStringLiteral("Done"));
}

TEST(ReadEdid, AFailedTransferLeavesTheGridEmptyAndTheLinkIdle) {
    EdidHarness h;
    h.sim.injectFault({sim::FaultKind::NoReply, -1, 0x03, 0x05, 0, 2, {}});
    h.choose(EdidList::ReadOutput, 1);
    h.edid->btnReadEDIDDataClick();
    EXPECT_EQ(h.view.cells, QStringList(256, QString()));
    EXPECT_EQ(h.log.panel(2).back(), QStringLiteral("Reading..."));
    EXPECT_EQ(h.log.panel(3).back(), QString());
    EXPECT_TRUE(h.flags.idle());
}

TEST(ReadEdid, ConnectsOnDemand) {
    EdidHarness h;
    h.link->Disconnect();
    h.choose(EdidList::ReadOutput, 1);
    h.edid->btnReadEDIDDataClick();
    EXPECT_TRUE(h.link->GetConnected());
    EXPECT_EQ(h.view.cells, hexCells(h.sim.state().outputEdid[0]));
}

TEST(ReadEdid, IsRefusedWhileAnotherCommandRunsAndLeavesItsBusyFlag) {
    EdidHarness h;
    h.flags.setIdle(false);
    h.choose(EdidList::ReadOutput, 1);
    h.edid->btnReadEDIDDataClick();
    EXPECT_TRUE(h.transport->written.isEmpty());
    EXPECT_EQ(h.log.panel(3), std::vector<QString>{kBusy});
    EXPECT_FALSE(h.flags.idle());
}

struct DownloadCase {
    int target;
    Sent command;
};

class DownloadEdid : public ::testing::TestWithParam<DownloadCase> {};

TEST_P(DownloadEdid, SendsTheGateTheWriteCommandAndOneBlockOfTheGrid) {
    const DownloadCase& c = GetParam();
    EdidHarness h;
    const QByteArray image = sim::makeSampleEdid(0x0777, "DOWNLOADED");
    h.openEdid(image);
    h.forget();
    h.choose(EdidList::DownloadInput, c.target);
    h.edid->btnDownloadEDIDClick();
    const Sent block{0x03, c.command.code, 0x0056, 256};
    EXPECT_EQ(h.sentHeaders(), (std::vector<Sent>{{0x03, 0x08, 0xF0, 0}, c.command, block}));
    ASSERT_EQ(h.transport->written.size(), 3);
    EXPECT_EQ(h.transport->written[2].mid(14), image);
    EXPECT_EQ(h.link->OutStream(), image);
    const std::vector<QString> panel2 = h.log.panel(2);
    EXPECT_EQ(panel2,
              (std::vector<QString>{QStringLiteral("Downloading..."), QStringLiteral("Done"),
                                    QStringLiteral("Downloading..."), QStringLiteral("Done")}));
    EXPECT_TRUE(h.flags.idle());
    const auto& state = h.sim.state();
    std::vector<QByteArray> reached;
    if (c.target <= 6) {
        reached = {state.inputEdid[c.target - 1]};
    } else if (c.target == 7) {
        reached.assign(state.inputEdid.begin(), state.inputEdid.end());
    } else {
        reached = {state.userEdid[c.target - 8]};
    }
    for (const QByteArray& stored : reached) EXPECT_EQ(stored, image);
}

INSTANTIATE_TEST_SUITE_P(Targets, DownloadEdid,
                         ::testing::Values(DownloadCase{1, {0x03, 0x07, 0xF001, 0}},
                                           DownloadCase{6, {0x03, 0x07, 0xF006, 0}},
                                           DownloadCase{7, {0x03, 0x06, 0xF0FE, 0}},
                                           DownloadCase{8, {0x03, 0x07, 0xF100, 0}},
                                           DownloadCase{9, {0x03, 0x07, 0xF200, 0}}),
                         testing_support::CaseNamer([](const DownloadCase& c) {
                             return "target " + std::to_string(c.target);
                         }));

TEST(DownloadEdidRefusals, SwitcherOffShowsTheDialogAndSendsNothing) {
    EdidHarness h;
    h.openEdid(h.sim.state().outputEdid[0]);
    h.sim.state().powerOn = false;
    h.status->ReadPowerState();
    h.forget();
    h.choose(EdidList::DownloadInput, 1);
    h.edid->btnDownloadEDIDClick();
    EXPECT_TRUE(h.transport->written.isEmpty());
    EXPECT_EQ(h.log.boxes, std::vector<QString>{
                               QStringLiteral("System is power off, please turn it on first.")});
}

TEST(DownloadEdidRefusals, AClearedGridIsRefusedAsEmpty) {
    EdidHarness h;
    h.openEdid(h.sim.state().outputEdid[0]);
    h.edid->btnClearEDIDContentClick();
    h.forget();
    h.choose(EdidList::DownloadInput, 7);
    h.edid->btnDownloadEDIDClick();
    EXPECT_TRUE(h.transport->written.isEmpty());
    EXPECT_EQ(h.log.panel(3),
              std::vector<QString>{QStringLiteral("EDID Content empty, open EDID file first")});
}

TEST(DownloadEdidRefusals, AGridWithOneEmptyCellCountsAsEmpty) {
    EdidHarness h;
    h.openEdid(h.sim.state().outputEdid[0]);
    h.view.cells[200].clear();
    h.forget();
    h.choose(EdidList::DownloadInput, 1);
    h.edid->btnDownloadEDIDClick();
    EXPECT_TRUE(h.transport->written.isEmpty());
    QByteArray target("stale");
    EXPECT_FALSE(h.edid->GridToEdid(target));
    EXPECT_TRUE(target.isEmpty());
}

// A file opened and a second Download clicked while a download runs must not change the
// bytes on the wire: the running transfer finishes with what it started with.
TEST(DownloadEdidRefusals, ClicksDuringADownloadDoNotTouchTheBytesBeingSent) {
    EdidHarness h;
    const QByteArray first = sim::makeSampleEdid(0x0101, "FIRST");
    const QByteArray second = sim::makeSampleEdid(0x0202, "SECOND");
    h.openEdid(first);
    h.view.fileToOpen = h.writeFile(QStringLiteral("second.bin"), second);
    h.forget();
    h.choose(EdidList::DownloadInput, 1);
    bool clicked = false;
    h.pump->onTick = [&] {
        if (clicked || h.flags.idle() || h.link->OutStream().isEmpty()) return;
        clicked = true;
        h.edid->BitBtn1Click();
        h.edid->btnDownloadEDIDClick();
    };
    h.edid->btnDownloadEDIDClick();
    ASSERT_TRUE(clicked);
    EXPECT_EQ(h.sim.state().inputEdid[0], first);
    EXPECT_EQ(h.view.cells, hexCells(second));
    const std::vector<QString> panel3 = h.log.panel(3);
    EXPECT_NE(std::find(panel3.begin(), panel3.end(), kBusy), panel3.end());
    EXPECT_TRUE(h.flags.idle());
}

}  // namespace

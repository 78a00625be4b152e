#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "WindowHarness.h"
#include "firmware/FirmwareMerge.h"
#include "support/CaseName.h"
#include "widgets/VKGauge.h"

namespace {

using testing_support::WindowHarness;

constexpr char kComSettings[] = "[Control mode]\nMode=0\n[COM port]\nName=ttySIM\n";

QByteArray Image(int size, int seed) {
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 7 + seed);
    return bytes;
}

// A slave MCU part: code 2, MCU number n, version 1.n.
device::PartFields Slave(quint16 n) {
    return {device::kFirmwareGroup, device::kPlainPartCode, n, 0, 1, n};
}

QByteArray Section(const device::PartFields& fields, const QByteArray& image) {
    return device::BuildSection(fields, image);
}

QByteArray Corrupted(QByteArray section) {
    section[device::kHeaderChecksumOffset] =
        static_cast<char>(section[device::kHeaderChecksumOffset] ^ 0x5A);
    return section;
}

struct FwUpgradeWindow : ::testing::Test {
    void SetUp() override {
        h.ports.names = {"ttySIM"};
        h.writeSettings(kComSettings);
        h.show();
    }
    void writeFile(const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    void upgrade() {
        h.find<QLineEdit>("edtFWFile")->setText(path);
        h.find<QPushButton>("btnUpgrade")->click();
    }
    QStringList lines() const {
        const QString text = h.find<QPlainTextEdit>("mmoMessage")->toPlainText();
        return text.isEmpty() ? QStringList() : text.split('\n');
    }
    bool rebootSent() const {
        for (const QByteArray& frame : h.transport->written) {
            if (frame.size() == 13 && quint8(frame[2]) == 0x80 && quint8(frame[3]) == 0x02 &&
                quint8(frame[4]) == 0x0F)
                return true;
        }
        return false;
    }
    QList<QByteArray> receivedImages() const {
        QList<QByteArray> images;
        for (const auto& part : h.sim.firmwareParts()) images << part.image;
        return images;
    }

    WindowHarness h;
    QString path = h.dir.filePath("room.fw");
};

TEST_F(FwUpgradeWindow, OneGoodSectionIsSentThenTheSwitcherRebootsAndSuccessIsShown) {
    const QByteArray image = Image(600, 3);
    writeFile(Section(Slave(2), image));
    upgrade();
    EXPECT_EQ(receivedImages(), QList<QByteArray>{image});
    EXPECT_TRUE(rebootSent());
    const QStringList shown = lines();
    ASSERT_GE(shown.size(), 3);
    EXPECT_EQ(shown.first(), "Upgrading Part_2.2.1.2 ...");
    EXPECT_TRUE(shown.contains("Part_2.2.1.2 upgrading complete"));
    EXPECT_EQ(shown.last(), "Firmware upgrade successfully!");
    EXPECT_EQ(h.panel(2), "Firmware upgrade successfully");
    EXPECT_TRUE(h.find<QPushButton>("btnUpgrade")->isEnabled());
    EXPECT_TRUE(h.guard.idle());
}

struct BadFileCase {
    const char* name;
    std::function<QByteArray()> file;
    int partsSent;
    QString problemLine;
};

struct FwUpgradeBadFile : FwUpgradeWindow, ::testing::WithParamInterface<BadFileCase> {};

TEST_P(FwUpgradeBadFile, SendsTheGoodSectionsBeforeTheProblemAndNeverReboots) {
    writeFile(GetParam().file());
    upgrade();
    EXPECT_EQ(static_cast<int>(h.sim.firmwareParts().size()), GetParam().partsSent);
    EXPECT_EQ(lines().last(), GetParam().problemLine);
    EXPECT_FALSE(rebootSent());
    EXPECT_TRUE(h.find<QPushButton>("btnUpgrade")->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(
    Files, FwUpgradeBadFile,
    ::testing::Values(
        BadFileCase{"FirstHeaderCorrupt",
                    [] { return Corrupted(Section(Slave(1), Image(300, 1))); }, 0, "Bad FW file!"},
        BadFileCase{"SecondHeaderCorrupt",
                    [] {
                        return Section(Slave(1), Image(300, 1)) +
                               Corrupted(Section(Slave(2), Image(300, 2)));
                    },
                    1, "Bad FW file!"},
        BadFileCase{"ImageRunsPastTheEnd",
                    [] { return Section(Slave(1), Image(300, 1)).left(400); }, 0, "Bad FW file!"},
        BadFileCase{"UnknownSectionCode",
                    [] {
                        return Section({device::kFirmwareGroup, 7, 1, 0, 1, 0}, Image(30, 1));
                    },
                    0, "Bad FW file! Part_7.1.1.0: unknown section code 7"},
        BadFileCase{"RebootSystemGroup",
                    [] {
                        return Section({0x80, 0x02, 0x0F, 0, 0, 0}, Image(30, 1));
                    },
                    0, "Bad FW file! Part_2.15.0.0: unknown section group 128"}),
    testing_support::CaseNamer([](const BadFileCase& c) { return std::string(c.name); }));

TEST_F(FwUpgradeWindow, ARefusedFirstPartStillSendsTheSecondAndReboots) {
    h.sim.injectFirmwareFault(
        {sim::FirmwareFaultKind::Decline, sim::FirmwareStep::Command, -1, 2, 1, 1});
    const QByteArray second = Image(200, 9);
    writeFile(Section(Slave(1), Image(300, 1)) + Section(Slave(2), second));
    upgrade();
    EXPECT_TRUE(lines().contains("Write to Part_2.1.1.1 failed"))
        << lines().join('|').toStdString();
    EXPECT_EQ(receivedImages(), QList<QByteArray>{second});
    EXPECT_TRUE(rebootSent());
    EXPECT_EQ(lines().last(), "Firmware upgrade successfully!");
}

TEST_F(FwUpgradeWindow, ARefusedLastPartSkipsTheReboot) {
    h.sim.injectFirmwareFault(
        {sim::FirmwareFaultKind::Decline, sim::FirmwareStep::Command, -1, 2, 1, 1});
    writeFile(Section(Slave(1), Image(300, 1)));
    upgrade();
    EXPECT_EQ(h.panel(2), "Write Part_2.1.1.1 failed");
    EXPECT_FALSE(rebootSent());
}

TEST_F(FwUpgradeWindow, ASilentSwitcherEndsTheUpgradeWithTheFailedLine) {
    h.sim.injectFirmwareFault(
        {sim::FirmwareFaultKind::Silent, sim::FirmwareStep::Block, -1, -1, -1, -1});
    writeFile(Section(Slave(1), Image(300, 1)) + Section(Slave(2), Image(300, 2)));
    upgrade();
    EXPECT_EQ(lines().last(), "Upgrading Part_2.1.1.1 failed");
    EXPECT_TRUE(h.sim.firmwareParts().empty());
    EXPECT_FALSE(rebootSent());
    EXPECT_TRUE(h.find<QPushButton>("btnUpgrade")->isEnabled());
}

TEST_F(FwUpgradeWindow, AMissingFileIsNamedAndNothingIsSent) {
    upgrade();
    EXPECT_EQ(lines(), QStringList{"Firmware file: " + path + " does not exist"});
    EXPECT_TRUE(h.transport->written.isEmpty());
}

TEST_F(FwUpgradeWindow, ABusyLinkRefusesTheUpgrade) {
    writeFile(Section(Slave(1), Image(300, 1)));
    h.find<QPushButton>("btnConnect")->click();
    const qsizetype before = h.transport->written.size();
    h.guard.setIdle(false);
    upgrade();
    EXPECT_EQ(h.panel(3), "In processing, command ignored");
    EXPECT_EQ(h.transport->written.size(), before);
    EXPECT_TRUE(lines().isEmpty());
}

TEST_F(FwUpgradeWindow, TheChosenFileIsDescribedBeforeAnythingIsSent) {
    writeFile(Section(Slave(1), Image(300, 1)) + Corrupted(Section(Slave(2), Image(30, 2))));
    h.dialogs.fileNames.push_back(path);
    h.find<QPushButton>("btnOpenFW")->click();
    EXPECT_EQ(h.dialogs.texts("open"), QStringList{"Firmware file(*.fw)|*.fw"});
    auto* field = h.find<QLineEdit>("edtFWFile");
    EXPECT_EQ(field->text(), path);
    EXPECT_EQ(field->cursorPosition(), path.size());
    const QString summary = h.find<QLabel>("lblFWSummary")->text();
    EXPECT_TRUE(summary.contains("Part_2.1.1.1 (300 bytes)")) << summary.toStdString();
    EXPECT_TRUE(summary.contains("fails its check")) << summary.toStdString();
    EXPECT_TRUE(h.transport->written.isEmpty());
}

TEST_F(FwUpgradeWindow, TheGaugeFollowsEachPartAndStartsOverForTheNext) {
    // What the gauge showed at each tick of the link's waits, repeats left out.
    std::vector<std::pair<QString, int>> seen;
    auto* gauge = h.find<widgets::TVKGauge>("tsgFWProgress");
    h.pump->onTick = [&] {
        const std::pair shown{gauge->caption(), gauge->progress()};
        if (seen.empty() || seen.back() != shown) seen.push_back(shown);
    };
    writeFile(Section(Slave(1), Image(2048, 1)) + Section(Slave(2), Image(2048, 2)));
    upgrade();
    std::vector<std::vector<int>> parts;
    for (const auto& [caption, progress] : seen) {
        if (caption == "Upgrade progress" && progress == 0) {
            parts.emplace_back();
        } else {
            ASSERT_FALSE(parts.empty());
            EXPECT_EQ(caption, QString("Upgrading Part_2.%1").arg(parts.size()));
            parts.back().push_back(progress);
        }
    }
    ASSERT_EQ(parts.size(), 2u);
    for (const std::vector<int>& progress : parts) {
        EXPECT_GE(progress.size(), 3u);
        EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
    }
    EXPECT_EQ(gauge->progress(), 100);
}

}  // namespace

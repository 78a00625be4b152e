// The upgrade's loop over sections, its reboot and the busy guard, on virtual time against the
// in-process simulator.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "RunnerHarness.h"
#include "core/operations/FirmwareUpgrade.h"
#include "firmware/FirmwareMerge.h"
#include "sim/FirmwareFault.h"
#include "support/CaseName.h"

namespace {

using testing_support::Status;

constexpr int kOperation = static_cast<int>(devlink::StatusPanel::Operation);
constexpr int kNotes = static_cast<int>(devlink::StatusPanel::Notes);
const QString kSuccess = QStringLiteral("Firmware upgrade successfully!");

// The upgrade's lines; its status texts join the harness's, where the command runner writes too.
struct RecordingProgress final : core::UpgradeProgress {
    explicit RecordingProgress(std::vector<Status>& shown) : status(shown) {}
    void addMessage(const QString& line) override { lines << line; }
    void showProgress(const QString&, int) override {}
    void setUpgrading(bool) override {}
    void showStatus(devlink::StatusPanel panel, const QString& text, bool alert) override {
        status.push_back({static_cast<int>(panel), text, alert});
    }
    void addRebootLine(const QString&, bool) override {}

    QStringList lines;
    std::vector<Status>& status;
};

bool IsReboot(const devlink::Frame& f) {
    return f[2] == 0x80 && f[3] == 0x02 && f[4] == 0x0F;
}
bool IsProbe(const devlink::Frame& f) {
    return f[2] == 0x01 && f[3] == 0x01;
}

struct FwUpgrade : ::testing::Test {
    FwUpgrade() {
        QObject::connect(h.link.get(), &devlink::TVKCOMControl::notified,
                         [this](const devlink::LinkNotification& n) { operation.notified(n); });
    }
    // Slave MCU1 and slave MCU2, each sent without staging: the only reboot is the upgrade's
    // own. `cut` bytes are left off the end.
    core::OperationResult upgrade(int cut = 0) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) return {devlink::FailureKind::BadFile, path};
        file.write((device::BuildSection(device::FieldsOf(device::Mcu::Slave1, 1, 1),
                                         QByteArray(600, 'a')) +
                    device::BuildSection(device::FieldsOf(device::Mcu::Slave2, 1, 2),
                                         QByteArray(300, 'b')))
                       .chopped(cut));
        file.close();
        return operation.run(path);
    }
    std::vector<QString> panel(int which) const {
        std::vector<QString> texts;
        for (const Status& s : h.status)
            if (s.panel == which) texts.push_back(s.text);
        return texts;
    }
    bool rebootSent() const {
        const auto frames = h.sentFrames();
        return std::any_of(frames.begin(), frames.end(), IsReboot);
    }
    // Probes after the last Reboot system frame.
    long probesAfterReboot() const {
        const auto frames = h.sentFrames();
        const auto reboot = std::find_if(frames.rbegin(), frames.rend(), IsReboot);
        return std::count_if(frames.rbegin(), reboot, IsProbe);
    }

    testing_support::RunnerHarness h;
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("room.fw"));
    RecordingProgress progress{h.status};
    core::FirmwareUpgrade operation{*h.link, h.flags, *h.runner, progress};
};

TEST_F(FwUpgrade, PanelTwoShowsEachSectionThenDoneThenTheReboot) {
    upgrade();
    EXPECT_EQ(panel(kOperation),
              (std::vector<QString>{"Upgrading Part_2.1.1.1 ...", "Done",
                                    "Upgrading Part_2.2.1.2 ...", "Done", "Reboot system ...",
                                    "Done", "Firmware upgrade successfully"}));
    EXPECT_EQ(
        progress.lines,
        (QStringList{"Upgrading Part_2.1.1.1 ...", "Part_2.1.1.1 upgrading complete",
                     "Upgrading Part_2.2.1.2 ...", "Part_2.2.1.2 upgrading complete", kSuccess}));
    EXPECT_TRUE(
        std::none_of(h.status.begin(), h.status.end(), [](const Status& s) { return s.alert; }));
}

struct RebootCase {
    const char* name;
    std::vector<sim::Fault> faults;
    bool success;
    QString lastLinkStatus;
};

struct FwUpgradeReboot : FwUpgrade, ::testing::WithParamInterface<RebootCase> {};

// The wait runs whatever Reboot system answered; only its own outcome decides success.
TEST_P(FwUpgradeReboot, SuccessOnlyWhenTheSwitcherIsBack) {
    for (const sim::Fault& fault : GetParam().faults) h.sim.injectFault(fault);
    upgrade();
    EXPECT_TRUE(rebootSent());
    EXPECT_GE(probesAfterReboot(), 1);
    EXPECT_EQ(progress.lines.contains(kSuccess), GetParam().success);
    EXPECT_EQ(h.observer.texts(devlink::WM_LINK_STATUS).back(), GetParam().lastLinkStatus);
    EXPECT_TRUE(h.flags.idle());
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, FwUpgradeReboot,
    ::testing::Values(RebootCase{"SwitcherBack", {}, true, "System reboot ok"},
                      RebootCase{"EveryProbeRefused",
                                 {{sim::FaultKind::StatusFF, -1, 0x01, 0x01, 0, 2, {}}},
                                 false,
                                 "System reboot failed"},
                      RebootCase{"RebootSystemRefused",
                                 {{sim::FaultKind::StatusFF, -1, 0x80, 0x02, 0, 2, {}}},
                                 true,
                                 "System reboot ok"}),
    testing_support::CaseNamer([](const RebootCase& c) { return std::string(c.name); }));

// What the window's close with Yes does, here as soon as the first part is through: the loop
// ends after that section and the switcher is not rebooted.
TEST_F(FwUpgrade, AStopDuringTheFirstSectionEndsTheLoopAndSkipsTheReboot) {
    QObject::connect(h.link.get(), &devlink::TVKCOMControl::notified,
                     [&](const devlink::LinkNotification& n) {
                         if (n.message == devlink::WM_LINK_DONE) h.flags.requestStop();
                     });
    upgrade();
    EXPECT_EQ(progress.lines,
              (QStringList{"Upgrading Part_2.1.1.1 ...", "Part_2.1.1.1 upgrading complete"}));
    EXPECT_EQ(h.sim.firmwareParts().size(), 1u);
    EXPECT_FALSE(rebootSent());
}

TEST_F(FwUpgrade, OtherCommandsAreRefusedWhileSectionsGoAndWhileTheRebootWaitRuns) {
    int triesBeforeReboot = 0;
    int triesAfterReboot = 0;
    int accepted = 0;
    h.pump->onTick = [&] {
        ++(rebootSent() ? triesAfterReboot : triesBeforeReboot);
        if (h.runner->Run(devlink::MakeCommand(devlink::Command::GetPowerStatus)).succeeded())
            ++accepted;
    };
    upgrade();
    EXPECT_GT(triesBeforeReboot, 0);
    EXPECT_GT(triesAfterReboot, 0);
    EXPECT_EQ(accepted, 0);
    const auto notes = panel(kNotes);
    EXPECT_EQ(std::count(notes.begin(), notes.end(), "In processing, command ignored"),
              triesBeforeReboot + triesAfterReboot);
    EXPECT_TRUE(progress.lines.contains(kSuccess));
}

struct KindCase {
    const char* name;
    bool fileThere;
    int cut;  // bytes left off the file's end
    std::vector<sim::Fault> faults;
    const char* firmwareFault;  // as matrix-sim's --fw-fault reads it
    bool busy;                  // another operation holds the link
    devlink::FailureKind failure;
    QString text;  // {file} stands for the file's path
};

void PrintTo(const KindCase& c, std::ostream* os) {
    *os << c.name;
}

struct FwUpgradeKinds : FwUpgrade, ::testing::WithParamInterface<KindCase> {};

// A declined part and a reboot that never came back carry the upgrade's own line; what the
// link reports itself carries none.
TEST_P(FwUpgradeKinds, SaysWhatWentWrong) {
    const KindCase& c = GetParam();
    for (const sim::Fault& fault : c.faults) h.sim.injectFault(fault);
    if (*c.firmwareFault != '\0') {
        const auto fault = sim::parseFirmwareFault(QString::fromLatin1(c.firmwareFault), nullptr);
        ASSERT_TRUE(fault);
        h.sim.injectFirmwareFault(*fault);
    }
    if (c.busy) h.flags.setIdle(false);
    const core::OperationResult result =
        c.fileThere ? upgrade(c.cut) : operation.run(dir.filePath(QStringLiteral("none.fw")));
    EXPECT_EQ(result.failure, c.failure);
    const QString text =
        QString(c.text).replace(QStringLiteral("{file}"), dir.filePath(QStringLiteral("none.fw")));
    EXPECT_EQ(result.text.toStdString(), text.toStdString());
}

using devlink::FailureKind;
const sim::Fault kEveryProbeRefused{sim::FaultKind::StatusFF, -1, 0x01, 0x01, 0, 2, {}};
const sim::Fault kEverythingRefused{sim::FaultKind::StatusFF, -1, -1, -1, 0, 2, {}};

INSTANTIATE_TEST_SUITE_P(
    Table, FwUpgradeKinds,
    ::testing::Values(
        KindCase{"Upgraded", true, 0, {}, "", false, FailureKind::None, {}},
        KindCase{"NoFile",
                 false,
                 0,
                 {},
                 "",
                 false,
                 FailureKind::BadFile,
                 "Firmware file: {file} does not exist"},
        KindCase{"CutSecondSection", true, 10, {}, "", false, FailureKind::BadFile, "Bad FW file!"},
        KindCase{"FirstPartDeclined",
                 true,
                 0,
                 {},
                 "decline:block:all:2.1",
                 false,
                 FailureKind::Refused,
                 "Write Part_2.1.1.1 failed"},
        KindCase{"LastPartDeclined",
                 true,
                 0,
                 {},
                 "decline:block:all:2.2",
                 false,
                 FailureKind::Refused,
                 "Write Part_2.2.1.2 failed"},
        KindCase{"RebootNeverBack",
                 true,
                 0,
                 {kEveryProbeRefused},
                 "",
                 false,
                 FailureKind::Refused,
                 "System reboot failed"},
        KindCase{
            "PartSilent", true, 0, {}, "silent:block:all:2.1", false, FailureKind::TimedOut, {}},
        KindCase{"EverythingRefused",
                 true,
                 0,
                 {kEverythingRefused},
                 "",
                 false,
                 FailureKind::Refused,
                 {}},
        KindCase{"LinkBusy", true, 0, {}, "", true, FailureKind::Busy, {}}),
    testing_support::CaseNamer([](const KindCase& c) { return std::string(c.name); }));

}  // namespace

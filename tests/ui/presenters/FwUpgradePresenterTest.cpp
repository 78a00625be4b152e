// The upgrade's loop over sections, its reboot and the busy guard, on virtual time against the
// in-process simulator.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "PresenterHarness.h"
#include "firmware/FirmwareMerge.h"
#include "support/CaseName.h"
#include "ui/presenters/fwupgrade/FwUpgradePresenter.h"

namespace {

using testing_support::Status;

constexpr int kOperation = static_cast<int>(devlink::StatusPanel::Operation);
constexpr int kNotes = static_cast<int>(devlink::StatusPanel::Notes);
const QString kSuccess = QStringLiteral("Firmware upgrade successfully!");

// The tab's lines; its status texts join the harness's, where the command runner writes too.
struct RecordingUpgradeView final : ui::FwUpgradeView {
    explicit RecordingUpgradeView(std::vector<Status>& shown) : status(shown) {}
    QString firmwarePath() const override { return path; }
    void setFirmwarePath(const QString& p) override { path = p; }
    void setFileSummary(const QString&) override {}
    void addMessage(const QString& line) override { lines << line; }
    void showProgress(const QString&, int) override {}
    void setUpgrading(bool) override {}
    void showStatus(devlink::StatusPanel panel, const QString& text, bool alert) override {
        status.push_back({static_cast<int>(panel), text, alert});
    }

    QString path;
    QStringList lines;
    std::vector<Status>& status;
};

struct NoDialogs final : ui::Dialogs {
    void information(const QString&) override {}
    void error(const QString&) override {}
    bool question(const QString&) override { return false; }
    QString openFileName(const QString&) override { return {}; }
    QString saveFileName(const QString&) override { return {}; }
};

bool IsReboot(const devlink::Frame& f) {
    return f[2] == 0x80 && f[3] == 0x02 && f[4] == 0x0F;
}
bool IsProbe(const devlink::Frame& f) {
    return f[2] == 0x01 && f[3] == 0x01;
}

struct FwUpgrade : ::testing::Test {
    // Slave MCU1 and slave MCU2, each sent without staging: the only reboot is the window's.
    void upgrade() {
        QFile file(view.path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(device::BuildSection(device::FieldsOf(device::Mcu::Slave1, 1, 1),
                                        QByteArray(600, 'a')) +
                   device::BuildSection(device::FieldsOf(device::Mcu::Slave2, 1, 2),
                                        QByteArray(300, 'b')));
        file.close();
        presenter.btnUpgradeClick();
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

    testing_support::PresenterHarness h;
    QTemporaryDir dir;
    RecordingUpgradeView view{h.status};
    NoDialogs dialogs;
    ui::FwUpgradePresenter presenter{*h.link, h.flags, *h.runner, view, dialogs};

    void SetUp() override { view.path = dir.filePath(QStringLiteral("room.fw")); }
};

TEST_F(FwUpgrade, PanelTwoShowsEachSectionThenDoneThenTheReboot) {
    upgrade();
    EXPECT_EQ(panel(kOperation),
              (std::vector<QString>{"Upgrading Part_2.1.1.1 ...", "Done",
                                    "Upgrading Part_2.2.1.2 ...", "Done", "Reboot system ...",
                                    "Done", "Firmware upgrade successfully"}));
    EXPECT_EQ(
        view.lines,
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
    EXPECT_EQ(view.lines.contains(kSuccess), GetParam().success);
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
    EXPECT_EQ(view.lines,
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
    EXPECT_TRUE(view.lines.contains(kSuccess));
}

}  // namespace

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

#include "StatusPresenterHarness.h"
#include "support/ScriptedReplies.h"

using namespace status_testing;
using core::OptionRadio;
using core::PanelOption;
using Sent = StatusHarness::Sent;
using Options = std::array<bool, 4>;  // IR, keys, APM, beeper

namespace {

// A harness that already knows the switcher is on, with the frame log cleared.
struct PoweredHarness : StatusHarness {
    PoweredHarness() {
        EXPECT_TRUE(status->ReadPowerState());
        transport->written.clear();
        log = {};
    }
};

void SetSwitcherOptions(sim::SwitcherState& state, const Options& o) {
    state.irOn = o[0];
    state.keysUnlocked = o[1];
    state.apmOn = o[2];
    state.beeperOn = o[3];
}

const std::vector<Sent> kAllReads = {
    {0x04, 0x04, 0xFE}, {0x01, 0x0E, 0xFE}, {0x01, 0x0A, 0xFE}, {0x01, 0x0C, 0xFE}};

TEST(PanelOptions, ReadSelectsTheRadiosWithoutSendingAnything) {
    PoweredHarness h;
    SetSwitcherOptions(h.sim.state(), {false, true, true, false});
    EXPECT_TRUE(h.options->ReadPanelOptions());
    EXPECT_EQ(h.optionsView.on, (Options{false, true, true, false}));
    EXPECT_EQ(h.optionsView.handlerCalls, 3);  // the click handler ran for every change
    EXPECT_EQ(h.sent(), kAllReads);            // and sent no set command
    EXPECT_FALSE(h.options->ApplyingDeviceState());
    EXPECT_EQ(h.optionsView.enabled, (Options{true, true, true, true}));
}

TEST(PanelOptions, OnlyFFReadsAsOn) {
    const std::pair<int, bool> cases[] = {
        {0x00, false}, {0x01, false}, {0x0F, false}, {0xFE, false}, {0xFF, true}};
    for (const auto& [value, on] : cases) {
        PoweredHarness h;
        h.transport->setResponder([value](const QByteArray& bytes, qint64 now) {
            return testing_support::At(now,
                                       testing_support::ReplyFrame(bytes[2], bytes[3], 0, value));
        });
        EXPECT_TRUE(h.options->ReadPanelOptions());
        EXPECT_EQ(h.optionsView.on, (Options{on, on, on, on})) << value;
    }
}

TEST(PanelOptions, AReadFailingAtApmKeepsApmAndBeeperAsShown) {
    PoweredHarness h;
    SetSwitcherOptions(h.sim.state(), {false, false, true, false});
    h.sim.injectFault({sim::FaultKind::StatusFF, 5, 0x01, 0x0A, 0, 2, {}});
    EXPECT_FALSE(h.options->ReadPanelOptions());
    EXPECT_EQ(h.optionsView.on, (Options{false, false, false, true}));
    EXPECT_EQ(h.sent().back(), (Sent{0x01, 0x0A, 0xFE}));  // the beeper is never asked
    EXPECT_TRUE(h.log.boxes.empty());
}

TEST(PanelOptions, ShowingTheTabReadsOnlyWhileTheSwitcherIsOn) {
    for (const bool on : {false, true}) {
        StatusHarness h;
        h.sim.state().powerOn = on;
        ASSERT_TRUE(h.status->ReadPowerState());
        h.transport->written.clear();
        h.options->tsIRShow();
        EXPECT_EQ(h.sent(), on ? kAllReads : std::vector<Sent>{}) << on;
        EXPECT_TRUE(h.log.boxes.empty());
    }
}

TEST(PanelOptions, AClickSendsTheChosenStateWithItsLabel) {
    struct Case {
        core::PanelOption option;
        core::OptionRadio radio;
        Sent frame;
        const char* label;
    };
    const Case cases[] = {
        {core::PanelOption::Ir,
         core::OptionRadio::Off,
         {0x04, 0x03, 0xF0},
         "Disable IR control ..."},
        {core::PanelOption::Ir, core::OptionRadio::On, {0x04, 0x03, 0x0F}, "Enable IR control ..."},
        // The ON radio of the keys group is "Unlock(ON)" in the caption, yet sends 0x0F "Lock".
        {core::PanelOption::Keys,
         core::OptionRadio::On,
         {0x01, 0x0F, 0x0F},
         "Lock Keys on panel ..."},
        {core::PanelOption::Keys,
         core::OptionRadio::Off,
         {0x01, 0x0F, 0xF0},
         "Unlock Keys on panel ..."},
        {core::PanelOption::Apm, core::OptionRadio::On, {0x01, 0x0B, 0x0F}, "Set APM ON ..."},
        {core::PanelOption::Apm, core::OptionRadio::Off, {0x01, 0x0B, 0xF0}, "Set APM OFF ..."},
        {core::PanelOption::Beeper,
         core::OptionRadio::Off,
         {0x01, 0x0D, 0xF0},
         "Disable Beeper control ..."},
        {core::PanelOption::Beeper,
         core::OptionRadio::On,
         {0x01, 0x0D, 0x0F},
         "Enable Beeper control ..."},
    };
    for (const Case& c : cases) {
        PoweredHarness h;
        const auto i = FakeOptionsView::index(c.option);
        h.optionsView.on[i] = c.radio == core::OptionRadio::Off;
        h.optionsView.click(c.option, c.radio);
        EXPECT_EQ(h.sent(), std::vector<Sent>{c.frame}) << c.label;
        const std::vector<WindowLog::Status> expected = {{3, QString()},
                                                         {2, QString::fromLatin1(c.label)},
                                                         {2, QStringLiteral("Done")},
                                                         {3, QString()}};
        EXPECT_EQ(h.log.status, expected) << c.label;
        EXPECT_TRUE(h.optionsView.enabled[i]) << c.label;
        EXPECT_EQ(h.optionsView.focus, (decltype(h.optionsView.focus){{c.option, c.radio}}));
    }
}

TEST(PanelOptions, TheSwitcherFollowsTheKeysGroup) {
    PoweredHarness h;
    h.sim.state().keysUnlocked = true;
    h.optionsView.click(core::PanelOption::Keys, core::OptionRadio::Off);
    EXPECT_FALSE(h.sim.state().keysUnlocked);
    h.optionsView.click(core::PanelOption::Keys, core::OptionRadio::On);
    EXPECT_TRUE(h.sim.state().keysUnlocked);
}

TEST(PanelOptions, AClickWhileOffIsRefusedAndKeepsTheChoice) {
    StatusHarness h;
    h.sim.state().powerOn = false;
    ASSERT_TRUE(h.status->ReadPowerState());
    h.transport->written.clear();
    h.optionsView.click(core::PanelOption::Beeper, core::OptionRadio::Off);
    EXPECT_TRUE(h.transport->written.isEmpty());
    EXPECT_EQ(h.log.boxes, std::vector<QString>{
                               QStringLiteral("System is power off, please turn it on first.")});
    EXPECT_FALSE(h.optionsView.on[3]);
    EXPECT_TRUE(h.optionsView.enabled[3]);
}

TEST(PanelOptions, AFailedSetKeepsTheChosenRadio) {
    PoweredHarness h;
    h.sim.injectFault({sim::FaultKind::StatusFF, 5, 0x04, 0x03, 0, 2, {}});
    h.optionsView.click(core::PanelOption::Ir, core::OptionRadio::Off);
    EXPECT_FALSE(h.optionsView.on[0]);
    EXPECT_TRUE(h.sim.state().irOn);
    EXPECT_TRUE(h.optionsView.enabled[0]);
}

bool WaitForEnabled(const FakeOptionsView& view, std::size_t i) {
    QDeadlineTimer deadline(1000);
    while (!view.enabled[i] && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    }
    return view.enabled[i];
}

TEST(PanelOptions, RadiosRefusedWhileAnotherCommandRunsAreEnabledWhenItEnds) {
    PoweredHarness h;
    h.sim.setReplyDelayMs(200);
    int tick = 0;
    bool enabledWhileBusy = true;
    h.pump->onTick = [&] {
        ++tick;
        if (tick == 1) h.optionsView.click(core::PanelOption::Keys, core::OptionRadio::Off);
        if (tick == 2) {
            // The re-enabling timer fires while the other command still runs.
            QThread::msleep(15);
            QCoreApplication::processEvents();
            enabledWhileBusy = h.optionsView.enabled[1];
        }
    };
    EXPECT_TRUE(h.runner->Run(devlink::MakeCommand(devlink::Command::GetDeviceType)).succeeded());
    h.pump->onTick = nullptr;
    EXPECT_FALSE(enabledWhileBusy);
    EXPECT_EQ(h.sent(), (std::vector<Sent>{{0x01, 0x01, 0xFE}}));  // the set was never sent
    EXPECT_EQ(h.log.panel(3).at(1), QStringLiteral("In processing, command ignored"));
    EXPECT_FALSE(h.optionsView.on[1]);  // the operator's choice stays
    EXPECT_TRUE(WaitForEnabled(h.optionsView, 1));
    EXPECT_EQ(h.optionsView.enabled, (Options{true, true, true, true}));
}

}  // namespace

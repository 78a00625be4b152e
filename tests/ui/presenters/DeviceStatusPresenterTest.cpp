#include <gtest/gtest.h>

#include <algorithm>

#include "StatusPresenterHarness.h"
#include "support/ScriptedReplies.h"

using namespace status_testing;
using Label = FakeStatusView::Label;
using Sent = StatusHarness::Sent;

namespace {

const QString kPowerOffDialog =
    QStringLiteral("System is power off, please turn it on first to refresh more status.");

// Answers one link status query with a value the simulator never sends.
void AnswerLinkQueryWith(StatusHarness& h, int code, int port, int value) {
    h.transport->setResponder([&h, code, port, value](const QByteArray& bytes, qint64 now) {
        if (bytes[2] == 0x01 && bytes[3] == code && bytes[4] == port)
            return testing_support::At(now, testing_support::ReplyFrame(0x01, code, 0, value));
        return h.sim.receive(bytes, now);
    });
}

void FailCommand(StatusHarness& h, int group, int code) {
    // Five refused replies use up every attempt of one command.
    h.sim.injectFault({sim::FaultKind::StatusFF, 5, group, code, 0, 2, {}});
}

TEST(DeviceStatus, ResetShowsNotKnownAndSendsNothing) {
    StatusHarness h;
    h.status->ResetDeviceStatus();
    EXPECT_EQ(h.statusView.device, QStringLiteral("Device: Not known"));
    EXPECT_EQ(h.statusView.version, QStringLiteral("Version: Not known"));
    std::map<int, Label> expected;
    for (int n = 1; n <= 6; ++n) {
        expected[40 + n] = {QStringLiteral("Input%1: Not known").arg(n), false};
        expected[80 + n] = {QStringLiteral("Output%1: Not known").arg(n), false};
    }
    EXPECT_EQ(h.statusView.labels, expected);
    EXPECT_TRUE(h.transport->written.isEmpty());
}

TEST(DeviceStatus, RefreshWithTheSwitcherOffShowsTheDialogAndKeepsTheLabels) {
    StatusHarness h;
    h.sim.state().powerOn = false;
    h.status->ResetDeviceStatus();
    const auto labelsBefore = h.statusView.labels;
    h.status->RefreshDeviceStatus();
    EXPECT_EQ(h.sent(), (std::vector<Sent>{{0x10, 0x01, 0xFE}}));
    EXPECT_EQ(h.log.boxes, std::vector<QString>{kPowerOffDialog});
    EXPECT_EQ(h.statusView.labels, labelsBefore);
    EXPECT_EQ(h.statusView.device, QStringLiteral("Device: Not known"));
    EXPECT_TRUE(h.statusView.faces.empty());  // keeps its power-off picture
    EXPECT_FALSE(h.status->PowerOn());
}

TEST(DeviceStatus, RefreshReadsPowerInfoPortsAndPanelOptionsInOrder) {
    StatusHarness h;
    h.status->RefreshDeviceStatus();
    std::vector<Sent> expected = {
        {0x10, 0x01, 0xFE}, {0x01, 0x01, 0xFE}, {0x01, 0x02, 0xFE}, {0x01, 0x03, 0xFE}};
    for (int n = 1; n <= 6; ++n) expected.push_back({0x01, 0x04, n});
    for (int n = 1; n <= 6; ++n) expected.push_back({0x01, 0x05, n});
    expected.insert(
        expected.end(),
        {{0x04, 0x04, 0xFE}, {0x01, 0x0E, 0xFE}, {0x01, 0x0A, 0xFE}, {0x01, 0x0C, 0xFE}});
    EXPECT_EQ(h.sent(), expected);
    EXPECT_TRUE(h.status->PowerOn());
    EXPECT_EQ(h.statusView.faces, std::vector<bool>{true});
    EXPECT_EQ(h.statusView.device, QStringLiteral("Device: HDMI Matrix, 6x6"));
    EXPECT_EQ(h.statusView.version, QStringLiteral("Version: 2.5"));
    // The simulator links inputs 1, 2, 3, 5 and outputs 1, 2, 4, 5.
    EXPECT_EQ(h.statusView.labels[41], (Label{QStringLiteral("Input1: Connected"), true}));
    EXPECT_EQ(h.statusView.labels[44], (Label{QStringLiteral("Input4: Not connected"), false}));
    EXPECT_EQ(h.statusView.labels[83], (Label{QStringLiteral("Output3: Not connected"), false}));
    EXPECT_EQ(h.statusView.labels[86], (Label{QStringLiteral("Output6: Not connected"), false}));
    EXPECT_EQ(h.statusView.labels[85], (Label{QStringLiteral("Output5: Connected"), true}));
    EXPECT_EQ(h.statusView.labels.count(47) + h.statusView.labels.count(87), 0u);
    EXPECT_EQ(h.optionsView.on, (std::array<bool, 4>{true, false, false, true}));
    EXPECT_EQ(h.log.panel(2).front(), QStringLiteral("Getting Power status ..."));
    EXPECT_TRUE(h.log.boxes.empty());
}

TEST(DeviceStatus, NamesTheModelAndShowsCountsAndVersionInDecimal) {
    struct Case {
        quint8 type;
        const char* device;
    };
    const Case cases[] = {
        {1, "Device: HDMI Matrix, 4x12"},
        {2, "Device: HDBT Matrix, 4x12"},
        {3, "Device: HDMI+HDBT Matrix, 4x12"},
        {0, "Device: Unknown model (type 0), 4x12"},
        {7, "Device: Unknown model (type 7), 4x12"},
        {200, "Device: Unknown model (type 200), 4x12"},  // 0xFF would read as a refusal
    };
    for (const Case& c : cases) {
        StatusHarness h;
        h.sim.state().deviceType = c.type;
        h.sim.state().inputCount = 4;
        h.sim.state().outputCount = 12;
        h.sim.state().firmwareMajor = 10;
        h.sim.state().firmwareMinor = 0;
        h.status->RefreshDeviceStatus();
        EXPECT_EQ(h.statusView.device, QString::fromLatin1(c.device)) << int(c.type);
        EXPECT_EQ(h.statusView.version, QStringLiteral("Version: 10.0"));
    }
}

TEST(DeviceStatus, AFailedInfoQueryStopsTheRefreshWithTheLabelsUnchanged) {
    for (const int code : {0x01, 0x02, 0x03}) {
        StatusHarness h;
        FailCommand(h, 0x01, code);
        h.status->RefreshDeviceStatus();
        const std::vector<Sent> sent = h.sent();
        EXPECT_EQ(sent.back(), (Sent{0x01, code, 0xFE})) << code;
        EXPECT_EQ(sent.size(), 1u + static_cast<std::size_t>(code) + 4u) << code;
        EXPECT_EQ(h.statusView.device, QStringLiteral("(unset)"));
        EXPECT_EQ(h.statusView.version, QStringLiteral("(unset)"));
        EXPECT_TRUE(h.statusView.labels.empty());
    }
}

TEST(DeviceStatus, PortLabelsFollowEachReplyAndKeepTheirFontWhenNotKnown) {
    enum class Reply { Linked, Unlinked, Fails };
    struct Step {
        Reply reply;
        Label input1;
    };
    const Step steps[] = {
        {Reply::Linked, {QStringLiteral("Input1: Connected"), true}},
        {Reply::Fails, {QStringLiteral("Input1: Not known"), true}},
        {Reply::Unlinked, {QStringLiteral("Input1: Not connected"), false}},
        {Reply::Fails, {QStringLiteral("Input1: Not known"), false}},
        {Reply::Linked, {QStringLiteral("Input1: Connected"), true}},
    };
    StatusHarness h;
    for (const Step& step : steps) {
        h.sim.state().inputLinked[0] = step.reply == Reply::Linked;
        if (step.reply == Reply::Fails) FailCommand(h, 0x01, 0x04);
        h.status->RefreshDeviceStatus();
        EXPECT_EQ(h.statusView.labels[41], step.input1);
        // A failed port does not end the loop.
        EXPECT_EQ(h.statusView.labels[42], (Label{QStringLiteral("Input2: Connected"), true}));
        EXPECT_EQ(h.statusView.labels[86],
                  (Label{QStringLiteral("Output6: Not connected"), false}));
    }
}

TEST(DeviceStatus, AnUnexpectedLinkValueLeavesTheLabelButReadsAsNotConnected) {
    StatusHarness h;
    h.status->RefreshDeviceStatus();
    ASSERT_EQ(h.statusView.labels[82], (Label{QStringLiteral("Output2: Connected"), true}));
    AnswerLinkQueryWith(h, 0x05, 2, 0x01);
    h.status->RefreshDeviceStatus();
    EXPECT_EQ(h.statusView.labels[82], (Label{QStringLiteral("Output2: Connected"), true}));
    EXPECT_EQ(h.status->ReadOutputConnection(2), devlink::kOutputNotConnected);
}

TEST(DeviceStatus, ReadOutputConnectionMapsTheReply) {
    struct Case {
        int output;
        bool powerOn;
        quint8 expected;
        bool sends;
    };
    const Case cases[] = {
        {1, true, devlink::kOutputConnected, true},
        {3, true, devlink::kOutputNotConnected, true},
        {6, true, devlink::kOutputNotConnected, true},
        {1, false, devlink::kOutputQueryFailed, false},  // refused while off
        {0, true, devlink::kOutputQueryFailed, false},
        {7, true, devlink::kOutputQueryFailed, false},
        {-1, true, devlink::kOutputQueryFailed, false},
        {0xF001, true, devlink::kOutputQueryFailed, false},
    };
    for (const Case& c : cases) {
        StatusHarness h;
        h.sim.state().powerOn = c.powerOn;
        ASSERT_TRUE(h.status->ReadPowerState());
        const auto before = h.transport->written.size();
        EXPECT_EQ(h.status->ReadOutputConnection(c.output), c.expected) << c.output;
        const std::vector<Sent> sent = h.sent();
        if (c.sends) {
            EXPECT_EQ(sent.back(), (Sent{0x01, 0x05, c.output}));
        } else {
            EXPECT_EQ(h.transport->written.size(), before) << c.output;
        }
    }
}

TEST(DeviceStatus, ReadOutputConnectionFailsWhenTheQueryFails) {
    StatusHarness h;
    ASSERT_TRUE(h.status->ReadPowerState());
    FailCommand(h, 0x01, 0x05);
    EXPECT_EQ(h.status->ReadOutputConnection(1), devlink::kOutputQueryFailed);
}

TEST(PowerButton, FromOffBootsRefreshesAndSaysPowerOn) {
    StatusHarness h;
    h.sim.state().powerOn = false;
    h.status->bbPowerClick();
    EXPECT_TRUE(h.sim.state().powerOn);
    EXPECT_TRUE(h.status->PowerOn());
    const std::vector<Sent> sent = h.sent();
    ASSERT_GE(sent.size(), 5u);
    const std::vector<Sent> head(sent.begin(), sent.begin() + 5);
    EXPECT_EQ(head, (std::vector<Sent>{{0x10, 0x01, 0xFE},
                                       {0x10, 0x02, 0x0F},
                                       {0x10, 0x01, 0xFE},
                                       {0x10, 0x01, 0xFE},
                                       {0x01, 0x01, 0xFE}}));
    EXPECT_EQ(sent.size(), 3u + 20u);  // the power steps and a whole refresh
    EXPECT_EQ(std::ranges::count(h.log.panel(2), QStringLiteral("Matrix booting ...")), 1);
    EXPECT_EQ(h.log.status.back(), (WindowLog::Status{3, QStringLiteral("Matrix POWER ON")}));
    EXPECT_EQ(h.statusView.faces, std::vector<bool>{true});
    EXPECT_EQ(h.statusView.device, QStringLiteral("Device: HDMI Matrix, 6x6"));
}

TEST(PowerButton, FromOnSwitchesOffAndSaysPowerOff) {
    StatusHarness h;
    ASSERT_TRUE(h.status->ReadPowerState());
    h.status->bbPowerClick();
    EXPECT_FALSE(h.sim.state().powerOn);
    EXPECT_FALSE(h.status->PowerOn());
    EXPECT_EQ(h.sent(),
              (std::vector<Sent>{
                  {0x10, 0x01, 0xFE}, {0x10, 0x01, 0xFE}, {0x10, 0x02, 0xF0}, {0x10, 0x01, 0xFE}}));
    EXPECT_EQ(std::ranges::count(h.log.panel(2), QStringLiteral("Power off ...")), 1);
    EXPECT_EQ(h.log.status.back(), (WindowLog::Status{3, QStringLiteral("Matrix POWER OFF")}));
    EXPECT_EQ(h.statusView.faces, (std::vector<bool>{true, false}));
}

TEST(PowerButton, SendsNothingElseWhenThePowerQueryFails) {
    StatusHarness h;
    FailCommand(h, 0x10, 0x01);
    h.status->bbPowerClick();
    for (const Sent& s : h.sent()) EXPECT_EQ(s, (Sent{0x10, 0x01, 0xFE}));
    EXPECT_TRUE(h.statusView.faces.empty());
    for (const QString& text : h.log.panel(3))
        EXPECT_FALSE(text.startsWith(QStringLiteral("Matrix")));
}

TEST(PowerButton, AFailedSetCommandNamesTheStateReadBefore) {
    StatusHarness h;
    h.sim.state().powerOn = false;
    FailCommand(h, 0x10, 0x02);
    h.status->bbPowerClick();
    EXPECT_FALSE(h.sim.state().powerOn);
    EXPECT_FALSE(h.status->PowerOn());  // never taken from the request
    EXPECT_EQ(h.sent().back(), (Sent{0x10, 0x02, 0x0F}));
    EXPECT_EQ(h.log.status.back(), (WindowLog::Status{3, QStringLiteral("Matrix POWER OFF")}));
}

TEST(PowerButton, TheGlyphChangesOnlyWithTheState) {
    StatusHarness h;
    const bool states[] = {false, true, true, false, false, true};
    for (const bool on : states) {
        h.sim.state().powerOn = on;
        ASSERT_TRUE(h.status->ReadPowerState());
    }
    EXPECT_EQ(h.statusView.faces, (std::vector<bool>{true, false, true}));
}

}  // namespace

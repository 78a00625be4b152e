#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <map>

#include "WindowHarness.h"
#include "support/ScriptedReplies.h"
#include "ui/presenters/general/DeviceStatusPresenter.h"

namespace {

using testing_support::WindowHarness;

constexpr char kComSettings[] = "[Control mode]\nMode=0\n[COM port]\nName=ttySIM\n";
const QString kPowerOffDialog =
    QStringLiteral("System is power off, please turn it on first to refresh more status.");
constexpr int kAdvancedPage = 4;

// A request header as (group, code, P1).
struct Sent {
    int group, code, p1;
    bool operator==(const Sent&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Sent& s) {
    return out << std::hex << '{' << s.group << ',' << s.code << ',' << s.p1 << '}';
}

Sent headerOf(const QByteArray& frame) {
    const auto byte = [&frame](int i) { return static_cast<quint8>(frame[i]); };
    return {byte(2), byte(3), byte(4) | byte(5) << 8};
}

QImage imageOf(const QPixmap& pixmap) {
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
}

// The window in COM control mode on the simulator, with every request and the operation text
// showing while it was answered.
struct StatusWindow : ::testing::Test {
    void SetUp() override {
        h.ports.names = {"ttySIM"};
        h.writeSettings(kComSettings);
        h.pump->onTick = [this] {
            if (!h.transport->written.isEmpty()) {
                progress.try_emplace(headerOf(h.transport->written.last()), h.panel(2));
            }
        };
        h.show();
    }

    std::vector<Sent> sent() const {
        std::vector<Sent> result;
        for (const QByteArray& frame : h.transport->written) result.push_back(headerOf(frame));
        return result;
    }
    bool wasSent(const Sent& header) const {
        const auto all = sent();
        return std::find(all.begin(), all.end(), header) != all.end();
    }
    QLabel* label(const char* name) const { return h.find<QLabel>(name); }
    // gbDevInfo's label of input N is Label(6 + N), that of output N is Label(23 - N).
    QLabel* inputLabel(int n) const { return h.find<QLabel>(QStringLiteral("Label%1").arg(6 + n)); }
    QLabel* outputLabel(int n) const {
        return h.find<QLabel>(QStringLiteral("Label%1").arg(23 - n));
    }
    QPushButton* button(const char* name) const { return h.find<QPushButton>(name); }
    QRadioButton* radio(const char* name) const { return h.find<QRadioButton>(name); }
    bool powerFaceIs(const char* picture) const {
        return imageOf(button("bbPower")->icon().pixmap(QSize(32, 32))) ==
               imageOf(label(picture)->pixmap());
    }
    void readPowerState() { ASSERT_TRUE(h.form().DeviceStatus().ReadPowerState()); }
    // Five refusals use up every attempt of one command.
    void failNext(int group, int code) {
        h.sim.injectFault({sim::FaultKind::StatusFF, 5, group, code, 0, 2, {}});
    }

    WindowHarness h;
    struct SentLess {
        bool operator()(const Sent& a, const Sent& b) const {
            return std::tie(a.group, a.code, a.p1) < std::tie(b.group, b.code, b.p1);
        }
    };
    std::map<Sent, QString, SentLess> progress;  // panel 2 while a request was first answered
};

TEST_F(StatusWindow, StartsWithNotKnownLabelsAndThePowerOffFace) {
    EXPECT_EQ(label("lblDevice")->text(), "Device: Not known");
    EXPECT_EQ(label("lblVersion")->text(), "Version: Not known");
    for (int n = 1; n <= 6; ++n) {
        EXPECT_EQ(inputLabel(n)->text(), QStringLiteral("Input%1: Not known").arg(n));
        EXPECT_EQ(outputLabel(n)->text(), QStringLiteral("Output%1: Not known").arg(n));
    }
    EXPECT_TRUE(powerFaceIs("imgPowerOff"));
    EXPECT_FALSE(powerFaceIs("imgPowerOn"));
    EXPECT_TRUE(button("bbPower")->isEnabled());
    EXPECT_TRUE(button("btnGetDevStatus")->isEnabled());
    EXPECT_TRUE(h.transport->written.isEmpty());
}

TEST_F(StatusWindow, PowerToggleFromOffBootsRefreshesAndSaysPowerOn) {
    h.sim.state().powerOn = false;
    button("bbPower")->click();

    std::vector<Sent> expected = {{0x10, 0x01, 0xFE}, {0x10, 0x02, 0x0F}, {0x10, 0x01, 0xFE},
                                  {0x10, 0x01, 0xFE}, {0x01, 0x01, 0xFE}, {0x01, 0x02, 0xFE},
                                  {0x01, 0x03, 0xFE}};
    for (int n = 1; n <= 6; ++n) expected.push_back({0x01, 0x04, n});
    for (int n = 1; n <= 6; ++n) expected.push_back({0x01, 0x05, n});
    expected.insert(
        expected.end(),
        {{0x04, 0x04, 0xFE}, {0x01, 0x0E, 0xFE}, {0x01, 0x0A, 0xFE}, {0x01, 0x0C, 0xFE}});
    EXPECT_EQ(sent(), expected);
    EXPECT_EQ(progress[(Sent{0x10, 0x02, 0x0F})], "Matrix booting ...");
    EXPECT_EQ(progress[(Sent{0x01, 0x04, 3})], "Getting Input3 connection ...");
    EXPECT_EQ(h.panel(3), "Matrix POWER ON");
    EXPECT_TRUE(h.sim.state().powerOn);
    EXPECT_TRUE(h.form().PowerOn());
    EXPECT_TRUE(powerFaceIs("imgPowerOn"));
    EXPECT_EQ(label("lblDevice")->text(), "Device: HDMI Matrix, 6x6");
    EXPECT_EQ(label("lblVersion")->text(), "Version: 2.5");
    EXPECT_TRUE(h.dialogs.shown.empty());
}

TEST_F(StatusWindow, PowerToggleFromOnSwitchesOffAndSaysPowerOff) {
    readPowerState();
    h.transport->written.clear();
    button("bbPower")->click();
    EXPECT_EQ(sent(),
              (std::vector<Sent>{{0x10, 0x01, 0xFE}, {0x10, 0x02, 0xF0}, {0x10, 0x01, 0xFE}}));
    EXPECT_EQ(progress[(Sent{0x10, 0x02, 0xF0})], "Power off ...");
    EXPECT_EQ(h.panel(3), "Matrix POWER OFF");
    EXPECT_FALSE(h.form().PowerOn());
    EXPECT_TRUE(powerFaceIs("imgPowerOff"));
}

TEST_F(StatusWindow, PowerToggleStopsWhenThePowerQueryFails) {
    failNext(0x10, 0x01);
    button("bbPower")->click();
    EXPECT_EQ(sent(), std::vector<Sent>(5, Sent{0x10, 0x01, 0xFE}));
    EXPECT_TRUE(h.sim.state().powerOn);
    EXPECT_FALSE(h.form().PowerOn());
    EXPECT_EQ(h.panel(3), "");
}

TEST_F(StatusWindow, RefreshWithTheSwitcherOffShowsTheDialogAndKeepsNotKnown) {
    h.sim.state().powerOn = false;
    button("btnGetDevStatus")->click();
    EXPECT_EQ(sent(), (std::vector<Sent>{{0x10, 0x01, 0xFE}}));
    EXPECT_EQ(progress[(Sent{0x10, 0x01, 0xFE})], "Getting Power status ...");
    EXPECT_EQ(h.dialogs.texts("information"), QStringList{kPowerOffDialog});
    EXPECT_EQ(label("lblDevice")->text(), "Device: Not known");
    EXPECT_EQ(label("lblVersion")->text(), "Version: Not known");
    for (int n = 1; n <= 6; ++n) {
        EXPECT_EQ(inputLabel(n)->text(), QStringLiteral("Input%1: Not known").arg(n));
        EXPECT_EQ(outputLabel(n)->text(), QStringLiteral("Output%1: Not known").arg(n));
    }
    EXPECT_TRUE(powerFaceIs("imgPowerOff"));
}

TEST_F(StatusWindow, PoweredCommandsFollowThePresentersPowerState) {
    const Sent routeOutput1ToInput2{0x02, 0x03, 2};
    h.sim.state().powerOn = false;
    readPowerState();
    testing_support::routeButton(h.form(), 1, 2)->click();
    EXPECT_FALSE(wasSent(routeOutput1ToInput2));
    EXPECT_EQ(h.dialogs.texts("information"),
              QStringList{"System is power off, please turn it on first."});
    h.sim.state().powerOn = true;
    readPowerState();
    testing_support::routeButton(h.form(), 1, 2)->click();
    EXPECT_TRUE(wasSent(routeOutput1ToInput2));
}

// One refresh of the port labels: what the switcher answers for input 2 and output 3,
// and what their labels show afterwards.
struct PortStep {
    enum Answer { Linked, NotLinked, Fails, Odd01 };
    Answer answer;
    const char* input;
    bool inputBold;
    const char* output;
    bool outputBold;
};

TEST_F(StatusWindow, PortLabelsFollowEachRefresh) {
    const PortStep steps[] = {
        {PortStep::Linked, "Input2: Connected", true, "Output3: Connected", true},
        {PortStep::NotLinked, "Input2: Not connected", false, "Output3: Not connected", false},
        {PortStep::Linked, "Input2: Connected", true, "Output3: Connected", true},
        // A failed query keeps the font: still bold.
        {PortStep::Fails, "Input2: Not known", true, "Output3: Not known", true},
        {PortStep::NotLinked, "Input2: Not connected", false, "Output3: Not connected", false},
        // 0x01 is neither answer: the labels stay as they were.
        {PortStep::Odd01, "Input2: Not connected", false, "Output3: Not connected", false},
    };
    for (const PortStep& step : steps) {
        h.sim.state().inputLinked[1] = step.answer == PortStep::Linked;
        h.sim.state().outputLinked[2] = step.answer == PortStep::Linked;
        h.transport->setResponder([this, &step](const QByteArray& bytes, qint64 now) {
            const Sent header = headerOf(bytes);
            const bool watched = header == Sent{0x01, 0x04, 2} || header == Sent{0x01, 0x05, 3};
            if (watched && step.answer == PortStep::Fails)
                return testing_support::At(now,
                                           testing_support::ReplyFrame(0x01, header.code, 0xFF));
            if (watched && step.answer == PortStep::Odd01)
                return testing_support::At(now,
                                           testing_support::ReplyFrame(0x01, header.code, 0, 0x01));
            return h.sim.receive(bytes, now);
        });
        button("btnGetDevStatus")->click();
        EXPECT_EQ(inputLabel(2)->text(), step.input);
        EXPECT_EQ(inputLabel(2)->font().bold(), step.inputBold) << step.input;
        EXPECT_EQ(outputLabel(3)->text(), step.output);
        EXPECT_EQ(outputLabel(3)->font().bold(), step.outputBold) << step.output;
        // The neighbours answer normally every time.
        EXPECT_EQ(inputLabel(4)->text(), "Input4: Not connected");
        EXPECT_EQ(outputLabel(1)->text(), "Output1: Connected");
        EXPECT_TRUE(outputLabel(1)->font().bold());
    }
    EXPECT_FALSE(inputLabel(7)->isVisibleTo(&h.form()));
    EXPECT_EQ(inputLabel(7)->text(), "Input7: Not known");
}

TEST_F(StatusWindow, AdvancedTabReadsNothingWhileTheSwitcherIsOff) {
    h.find<QTabWidget>("pcContainer")->setCurrentIndex(kAdvancedPage);
    EXPECT_TRUE(h.transport->written.isEmpty());
    EXPECT_TRUE(radio("rbIREnable")->isChecked());
    EXPECT_TRUE(radio("rbAPMOFF")->isChecked());
}

TEST_F(StatusWindow, OptionReadFailingAtApmUpdatesIrAndKeysOnly) {
    readPowerState();
    h.transport->written.clear();
    h.sim.state().irOn = false;
    h.sim.state().keysUnlocked = true;
    h.sim.state().apmOn = true;
    h.sim.state().beeperOn = false;
    failNext(0x01, 0x0A);
    h.find<QTabWidget>("pcContainer")->setCurrentIndex(kAdvancedPage);

    std::vector<Sent> expected = {{0x04, 0x04, 0xFE}, {0x01, 0x0E, 0xFE}};
    expected.insert(expected.end(), 5, Sent{0x01, 0x0A, 0xFE});
    EXPECT_EQ(sent(), expected);  // no set command from the radios changed by the read
    EXPECT_EQ(progress[(Sent{0x04, 0x04, 0xFE})], "Getting IR status ...");
    EXPECT_EQ(progress[(Sent{0x01, 0x0E, 0xFE})], "Getting Keys status ...");
    EXPECT_TRUE(radio("rbIRDisable")->isChecked());
    EXPECT_TRUE(radio("rbKeyUnlock")->isChecked());
    EXPECT_TRUE(radio("rbAPMOFF")->isChecked());
    EXPECT_TRUE(radio("rbBeeperEnable")->isChecked());
}

TEST_F(StatusWindow, KeysOnRadioUnlocksWithValue0FUnderTheTextLock) {
    readPowerState();
    h.find<QTabWidget>("pcContainer")->setCurrentIndex(kAdvancedPage);
    ASSERT_TRUE(radio("rbKeyLock")->isChecked());  // the simulator's keys read as OFF
    h.form().ShowStatus(devlink::StatusPanel::Notes, QStringLiteral("old note"), false);
    h.transport->written.clear();

    radio("rbKeyUnlock")->click();
    EXPECT_EQ(sent(), (std::vector<Sent>{{0x01, 0x0F, 0x0F}}));
    EXPECT_EQ(progress[(Sent{0x01, 0x0F, 0x0F})], "Lock Keys on panel ...");
    EXPECT_EQ(h.panel(3), "");
    EXPECT_EQ(h.panel(2), "Done");
    EXPECT_TRUE(h.sim.state().keysUnlocked);
    EXPECT_TRUE(radio("rbKeyUnlock")->isEnabled());
    EXPECT_TRUE(radio("rbKeyLock")->isEnabled());
}

struct OptionClick {
    const char* radio;
    Sent request;
    const char* progress;
};

TEST_F(StatusWindow, EveryRadioSendsItsSetCommandWithItsText) {
    readPowerState();
    h.find<QTabWidget>("pcContainer")->setCurrentIndex(kAdvancedPage);
    const OptionClick clicks[] = {
        {"rbIRDisable", {0x04, 0x03, 0xF0}, "Disable IR control ..."},
        {"rbIREnable", {0x04, 0x03, 0x0F}, "Enable IR control ..."},
        {"rbKeyUnlock", {0x01, 0x0F, 0x0F}, "Lock Keys on panel ..."},
        {"rbKeyLock", {0x01, 0x0F, 0xF0}, "Unlock Keys on panel ..."},
        {"rbAPMON", {0x01, 0x0B, 0x0F}, "Set APM ON ..."},
        {"rbAPMOFF", {0x01, 0x0B, 0xF0}, "Set APM OFF ..."},
        {"rbBeeperDisable", {0x01, 0x0D, 0xF0}, "Disable Beeper control ..."},
        {"rbBeeperEnable", {0x01, 0x0D, 0x0F}, "Enable Beeper control ..."},
    };
    for (const OptionClick& click : clicks) {
        h.transport->written.clear();
        radio(click.radio)->click();
        EXPECT_EQ(sent(), std::vector<Sent>{click.request}) << click.radio;
        EXPECT_EQ(progress[click.request], click.progress) << click.radio;
    }
}

TEST_F(StatusWindow, StatusRefreshEndsByReadingTheOptions) {
    h.sim.state().irOn = false;
    h.sim.state().apmOn = true;
    button("btnGetDevStatus")->click();
    EXPECT_TRUE(radio("rbIRDisable")->isChecked());
    EXPECT_TRUE(radio("rbAPMON")->isChecked());
    EXPECT_FALSE(wasSent({0x04, 0x03, 0xF0}));
    EXPECT_FALSE(wasSent({0x01, 0x0B, 0x0F}));
}

}  // namespace

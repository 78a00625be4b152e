#include <gtest/gtest.h>

#include <tuple>

#include "SimTestSupport.h"
#include "sim/PanelCommand.h"

using namespace simtest;

namespace {

const QByteArray kGetPower = sim::makeFrame(0x10, 0x01, 0xFE, 0, 0xD22D, 0x2ED3);

// A panel line applied to a fresh switcher shows in the reply byte of the query the controller
// sends next.
TEST(PanelCommand, ChangesWhatTheNextQueryReports) {
    const struct {
        const char* line;
        const char* text;
        QByteArray query;
        quint8 value;
    } cases[] = {
        {"route 3 5", "route 3 5", sim::makeFrame(0x02, 0x01, 3), 5},
        {" ROUTE  all\t2\r", "route all 2", sim::makeFrame(0x02, 0x01, 6), 2},
        {"power off", "power off", kGetPower, 0x00},
        {"unplug output 2", "unplug output 2", sim::makeFrame(0x01, 0x05, 2), 0xFF},
        {"plug output 3", "plug output 3", sim::makeFrame(0x01, 0x05, 3), 0x00},
        {"Unplug Input 1", "unplug input 1", sim::makeFrame(0x01, 0x04, 1), 0xFF},
        {"plug input 4", "plug input 4", sim::makeFrame(0x01, 0x04, 4), 0x00},
        {"option ir off", "option ir off", sim::makeFrame(0x04, 0x04, 0xFE), 0x00},
        {"option keys on", "option keys on", sim::makeFrame(0x01, 0x0E, 0xFE), 0xFF},
        {"option apm on", "option apm on", sim::makeFrame(0x01, 0x0A, 0xFE), 0xFF},
        {"option beeper off", "option beeper off", sim::makeFrame(0x01, 0x0C, 0xFE), 0x00},
    };
    for (const auto& c : cases) {
        QString error;
        const auto command = sim::parsePanelCommand(c.line, &error);
        ASSERT_TRUE(command) << c.line << " " << error.toStdString();
        EXPECT_EQ(sim::panelText(*command), QLatin1String(c.text)) << c.line;
        sim::SwitcherSim sim;
        sim::applyPanelCommand(sim.state(), *command);
        EXPECT_EQ(static_cast<quint8>(exchange(sim, c.query)[6]), c.value) << c.line;
    }
}

TEST(PanelCommand, RefusesOtherLinesWithAReason) {
    const QByteArray longest = QByteArray("route 3 5").leftJustified(sim::kPanelLineLimit);
    const struct {
        QByteArray line;
        const char* error;
    } cases[] = {
        {"", "bad line \"\": unknown command"},
        {"reboot now", "bad line \"reboot now\": unknown command"},
        {"route 7 1", "bad line \"route 7 1\": expected route 1..6|all 1..6"},
        {"route all 0", "bad line \"route all 0\": expected route 1..6|all 1..6"},
        {"route 3", "bad line \"route 3\": expected route 1..6|all 1..6"},
        {"route 3 5 1", "bad line \"route 3 5 1\": expected route 1..6|all 1..6"},
        {"power  maybe", "bad line \"power maybe\": expected power on|off"},
        {"unplug hdmi 2", "bad line \"unplug hdmi 2\": expected unplug input|output 1..6"},
        {"plug output x", "bad line \"plug output x\": expected plug input|output 1..6"},
        {"option lcd on", "bad line \"option lcd on\": expected option ir|keys|apm|beeper on|off"},
        {longest + ' ', "bad line: longer than 256 bytes"},
    };
    for (const auto& c : cases) {
        QString error;
        EXPECT_FALSE(sim::parsePanelCommand(c.line, &error)) << c.line.constData();
        EXPECT_EQ(error, QLatin1String(c.error)) << c.line.constData();
    }
    QString error;
    EXPECT_TRUE(sim::parsePanelCommand(longest, &error)) << error.toStdString();
}

TEST(PanelCommand, RandomChangesAreMostlyRoutesAndAlwaysShow) {
    QRandomGenerator random(21);
    sim::SwitcherState state;
    int routes = 0;
    constexpr int kSteps = 400;
    for (int step = 0; step < kSteps; ++step) {
        const sim::PanelCommand command = sim::randomPanelCommand(state, random);
        QString error;
        EXPECT_EQ(sim::parsePanelCommand(sim::panelText(command).toUtf8(), &error), command);
        const auto before = std::tuple(state.routes, state.inputLinked, state.outputLinked);
        sim::applyPanelCommand(state, command);
        EXPECT_NE(std::tuple(state.routes, state.inputLinked, state.outputLinked), before);
        routes += command.kind == sim::PanelCommand::Kind::Route ? 1 : 0;
    }
    EXPECT_GT(routes, kSteps * 3 / 4);
    EXPECT_LT(routes, kSteps);
}

}  // namespace

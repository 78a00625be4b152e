#include <gtest/gtest.h>

#include "SimTestSupport.h"

using namespace simtest;

namespace {

struct ReplyCase {
    const char* name;
    const char* request;
    const char* reply;
};

// Replies of a switcher in its initial state; one fresh switcher per row.
const ReplyCase kReplies[] = {
    {"Get device type", "A5 5B 01 01 FE 00 00 00 00 00 00 00 00",
     "A5 5B 01 01 01 00 00 00 00 00 00 00 FD"},
    {"Reboot probe", "A5 5B 01 01 00 00 00 00 00 00 00 00 FE",
     "A5 5B 01 01 01 00 00 00 00 00 00 00 FD"},
    {"Get device type, bad marker", "A5 5B 01 01 05 00 00 00 00 00 00 00 F9",
     "A5 5B 01 01 FF 00 00 00 00 00 00 00 FF"},
    {"Get port counts", "A5 5B 01 02 FE 00 00 00 00 00 00 00 FF",
     "A5 5B 01 02 06 00 06 00 00 00 00 00 F1"},
    {"Get firmware version", "A5 5B 01 03 FE 00 00 00 00 00 00 00 FE",
     "A5 5B 01 03 02 00 05 00 00 00 00 00 F5"},
    {"Input 1 connected", "A5 5B 01 04 01 00 00 00 00 00 00 00 FA",
     "A5 5B 01 04 00 00 00 00 00 00 00 00 FB"},
    {"Input 4 not connected", "A5 5B 01 04 04 00 00 00 00 00 00 00 F7",
     "A5 5B 01 04 00 00 FF 00 00 00 00 00 FC"},
    {"Input 7 out of range", "A5 5B 01 04 07 00 00 00 00 00 00 00 F4",
     "A5 5B 01 04 FF 00 00 00 00 00 00 00 FC"},
    {"Output 3 not connected", "A5 5B 01 05 03 00 00 00 00 00 00 00 F7",
     "A5 5B 01 05 00 00 FF 00 00 00 00 00 FB"},
    {"Output 1 connected", "A5 5B 01 05 01 00 00 00 00 00 00 00 F9",
     "A5 5B 01 05 00 00 00 00 00 00 00 00 FA"},
    {"Output 0 out of range", "A5 5B 01 05 00 00 00 00 00 00 00 00 FA",
     "A5 5B 01 05 FF 00 00 00 00 00 00 00 FB"},
    {"Get APM status", "A5 5B 01 0A FE 00 00 00 00 00 00 00 F7",
     "A5 5B 01 0A 00 00 00 00 00 00 00 00 F5"},
    {"Set APM on", "A5 5B 01 0B 0F 00 00 00 00 00 00 00 E5",
     "A5 5B 01 0B 00 00 00 00 00 00 00 00 F4"},
    {"Set APM bad value", "A5 5B 01 0B 12 00 00 00 00 00 00 00 E2",
     "A5 5B 01 0B FF 00 00 00 00 00 00 00 F5"},
    {"Get beeper status", "A5 5B 01 0C FE 00 00 00 00 00 00 00 F5",
     "A5 5B 01 0C 00 00 FF 00 00 00 00 00 F4"},
    {"Set beeper off", "A5 5B 01 0D F0 00 00 00 00 00 00 00 02",
     "A5 5B 01 0D 00 00 00 00 00 00 00 00 F2"},
    {"Get keys status", "A5 5B 01 0E FE 00 00 00 00 00 00 00 F3",
     "A5 5B 01 0E 00 00 00 00 00 00 00 00 F1"},
    {"Unlock keys", "A5 5B 01 0F 0F 00 00 00 00 00 00 00 E1",
     "A5 5B 01 0F 00 00 00 00 00 00 00 00 F0"},
    {"Get output 2 route", "A5 5B 02 01 02 00 00 00 00 00 00 00 FB",
     "A5 5B 02 01 00 00 02 00 00 00 00 00 FB"},
    {"Get output 7 route", "A5 5B 02 01 07 00 00 00 00 00 00 00 F6",
     "A5 5B 02 01 FF 00 00 00 00 00 00 00 FE"},
    {"Set route", "A5 5B 02 03 05 00 03 00 00 00 00 00 F3",
     "A5 5B 02 03 00 00 00 00 00 00 00 00 FB"},
    {"Set route, input 7", "A5 5B 02 03 07 00 01 00 00 00 00 00 F3",
     "A5 5B 02 03 FF 00 00 00 00 00 00 00 FC"},
    {"Set route, output 0", "A5 5B 02 03 01 00 00 00 00 00 00 00 FA",
     "A5 5B 02 03 FF 00 00 00 00 00 00 00 FC"},
    {"Set EDID of all inputs", "A5 5B 03 01 05 F0 00 00 00 00 00 00 07",
     "A5 5B 03 01 00 00 00 00 00 00 00 00 FC"},
    {"Set EDID, unknown selector", "A5 5B 03 01 10 F0 00 00 00 00 00 00 FC",
     "A5 5B 03 01 FF 00 00 00 00 00 00 00 FD"},
    {"Set EDID of input 3 from User2", "A5 5B 03 02 00 F2 03 00 00 00 00 00 06",
     "A5 5B 03 02 00 00 00 00 00 00 00 00 FB"},
    {"Copy output 2 to all", "A5 5B 03 03 02 00 00 00 00 00 00 00 F8",
     "A5 5B 03 03 00 00 00 00 00 00 00 00 FA"},
    {"Copy unconnected output 3", "A5 5B 03 04 03 00 01 00 00 00 00 00 F5",
     "A5 5B 03 04 FF 00 00 00 00 00 00 00 FA"},
    {"Write gate off", "A5 5B 03 08 F0 00 00 00 00 00 00 00 05",
     "A5 5B 03 08 00 00 00 00 00 00 00 00 F5"},
    {"Default EDID of all inputs", "A5 5B 03 09 FE 00 00 00 00 00 00 00 F6",
     "A5 5B 03 09 00 00 00 00 00 00 00 00 F4"},
    {"Default EDID of input 9", "A5 5B 03 0A 09 00 00 00 00 00 00 00 EA",
     "A5 5B 03 0A FF 00 00 00 00 00 00 00 F4"},
    {"Read EDID of output 1", "A5 5B 03 05 01 F0 00 00 00 00 00 00 07",
     "A5 5B 03 05 AA 00 00 00 00 00 00 00 4E"},
    {"Read EDID of unconnected output 6", "A5 5B 03 05 06 F0 00 00 00 00 00 00 02",
     "A5 5B 03 05 FF 00 00 00 00 00 00 00 F9"},
    {"Write EDID to all inputs", "A5 5B 03 06 FE F0 00 00 00 00 00 00 09",
     "A5 5B 03 06 AA 00 00 00 00 00 00 00 4D"},
    {"Write EDID to all, wrong selector", "A5 5B 03 06 FF F0 00 00 00 00 00 00 08",
     "A5 5B 03 06 FF 00 00 00 00 00 00 00 F8"},
    {"Write EDID to User2", "A5 5B 03 07 00 F2 00 00 00 00 00 00 04",
     "A5 5B 03 07 AA 00 00 00 00 00 00 00 4C"},
    {"Set IR off", "A5 5B 04 03 F0 00 00 00 00 00 00 00 09",
     "A5 5B 04 03 00 00 00 00 00 00 00 00 F9"},
    {"Get IR status", "A5 5B 04 04 FE 00 00 00 00 00 00 00 FA",
     "A5 5B 04 04 00 00 FF 00 00 00 00 00 F9"},
    {"Get power status", "A5 5B 10 01 FE 00 00 00 2D D2 D3 2E F1",
     "A5 5B 10 01 00 00 FF 00 00 00 00 00 F0"},
    {"Get power status without keys", "A5 5B 10 01 FE 00 00 00 00 00 00 00 F1",
     "A5 5B 10 01 FF 00 00 00 00 00 00 00 F0"},
    {"Power off", "A5 5B 10 02 F0 00 00 00 2D D2 D3 2E FE",
     "A5 5B 10 02 00 00 00 00 00 00 00 00 EE"},
    {"Reboot system", "A5 5B 80 02 0F 00 00 00 00 00 00 00 6F",
     "A5 5B 80 02 00 00 00 00 00 00 00 00 7E"},
    {"Unknown group", "A5 5B 05 01 FE 00 00 00 00 00 00 00 FC",
     "A5 5B 05 01 FF 00 00 00 00 00 00 00 FB"},
    {"Unknown code", "A5 5B 01 10 FE 00 00 00 00 00 00 00 F1",
     "A5 5B 01 10 FF 00 00 00 00 00 00 00 F0"},
};

TEST(CommandReplies, EveryCommandAnswersWithItsExactBytes) {
    for (const ReplyCase& c : kReplies) {
        sim::SwitcherSim sim;
        const auto deliveries = sim.receive(hex(c.request), 100);
        ASSERT_EQ(deliveries.size(), 1u) << c.name;
        EXPECT_EQ(deliveries[0].dueMs, 100) << c.name;
        EXPECT_EQ(deliveries[0].bytes.toHex(' ').toUpper(), QByteArray(c.reply)) << c.name;
    }
}

TEST(CommandReplies, SetCommandsChangeTheState) {
    const struct {
        QByteArray request;
        bool sim::SwitcherState::*flag;
        bool expected;
    } cases[] = {
        {sim::makeFrame(0x01, 0x0B, 0x0F), &sim::SwitcherState::apmOn, true},
        {sim::makeFrame(0x01, 0x0D, 0xF0), &sim::SwitcherState::beeperOn, false},
        {sim::makeFrame(0x01, 0x0F, 0x0F), &sim::SwitcherState::keysUnlocked, true},
        {sim::makeFrame(0x01, 0x0F, 0xF0), &sim::SwitcherState::keysUnlocked, false},
        {sim::makeFrame(0x04, 0x03, 0xF0), &sim::SwitcherState::irOn, false},
        {sim::makeFrame(0x03, 0x08, 0xF0), &sim::SwitcherState::edidWriteGateOn, false},
        {sim::makeFrame(0x10, 0x02, 0xF0, 0, 0xD22D, 0x2ED3), &sim::SwitcherState::powerOn, false},
    };
    for (const auto& c : cases) {
        sim::SwitcherSim sim;
        sim.state().*c.flag = !c.expected;
        exchange(sim, c.request);
        EXPECT_EQ(sim.state().*c.flag, c.expected) << c.request.toHex(' ').toStdString();
    }
}

TEST(CommandReplies, QueriesReportTheCurrentState) {
    sim::SwitcherSim sim;
    sim.state().deviceType = 3;
    sim.state().firmwareMajor = 7;
    sim.state().firmwareMinor = 12;
    sim.state().apmOn = true;
    sim.state().inputLinked[3] = true;
    EXPECT_EQ(exchange(sim, sim::makeFrame(0x01, 0x01, 0xFE))[4], 3);
    const QByteArray version = exchange(sim, sim::makeFrame(0x01, 0x03, 0xFE));
    EXPECT_EQ(version[4], 7);
    EXPECT_EQ(version[6], 12);
    EXPECT_EQ(quint8(exchange(sim, sim::makeFrame(0x01, 0x0A, 0xFE))[6]), 0xFF);
    EXPECT_EQ(quint8(exchange(sim, sim::makeFrame(0x01, 0x04, 4))[6]), 0x00);
}

TEST(CommandReplies, PowerOffStillAnswersEveryCommand) {
    sim::SwitcherSim sim;
    exchange(sim, sim::makeFrame(0x10, 0x02, 0xF0, 0, 0xD22D, 0x2ED3));
    EXPECT_EQ(quint8(exchange(sim, sim::makeFrame(0x10, 0x01, 0xFE, 0, 0xD22D, 0x2ED3))[6]), 0x00);
    EXPECT_EQ(exchange(sim, sim::makeFrame(0x02, 0x03, 2, 1))[4], 0);
    EXPECT_EQ(sim.state().routes[0], 2);
    exchange(sim, sim::makeFrame(0x10, 0x02, 0x0F, 0, 0xD22D, 0x2ED3));
    EXPECT_TRUE(sim.state().powerOn);
}

TEST(Routes, SetRouteChangesOnlyItsOutputAndGetRouteReadsItBack) {
    sim::SwitcherSim sim;
    exchange(sim, sim::makeFrame(0x02, 0x03, 5, 3));
    exchange(sim, sim::makeFrame(0x02, 0x03, 6, 6));
    const std::array<quint8, 6> expected{1, 2, 5, 4, 5, 6};
    EXPECT_EQ(sim.state().routes, expected);
    for (int output = 1; output <= 6; ++output) {
        EXPECT_EQ(exchange(sim, sim::makeFrame(0x02, 0x01, output))[6], expected[output - 1]);
    }
}

TEST(Routes, RefusedRoutesLeaveTheStateAlone) {
    sim::SwitcherSim sim;
    for (const auto& [input, output] : {std::pair{0, 1}, {7, 1}, {1, 0}, {1, 7}, {0x101, 1}}) {
        EXPECT_EQ(quint8(exchange(sim, sim::makeFrame(0x02, 0x03, input, output))[4]), 0xFF);
    }
    EXPECT_EQ(sim.state().routes, (std::array<quint8, 6>{1, 2, 3, 4, 5, 6}));
}

TEST(EdidCommands, SetCopyAndDefaultLoadTheRightEdidIntoTheInputs) {
    sim::SwitcherSim sim;
    const sim::SwitcherState initial = sim.state();
    exchange(sim, sim::makeFrame(0x03, 0x01, 0xF005));
    for (const QByteArray& edid : sim.state().inputEdid) {
        EXPECT_EQ(edid, initial.builtInEdids[4]);
    }
    exchange(sim, sim::makeFrame(0x03, 0x02, 0xF200, 3));
    EXPECT_EQ(sim.state().inputEdid[2], initial.userEdid[1]);
    exchange(sim, sim::makeFrame(0x03, 0x04, 1, 6));
    EXPECT_EQ(sim.state().inputEdid[5], initial.outputEdid[0]);
    exchange(sim, sim::makeFrame(0x03, 0x0A, 6));
    EXPECT_EQ(sim.state().inputEdid[5], initial.defaultEdid);
    exchange(sim, sim::makeFrame(0x03, 0x03, 2));
    for (const QByteArray& edid : sim.state().inputEdid) {
        EXPECT_EQ(edid, initial.outputEdid[1]);
    }
    exchange(sim, sim::makeFrame(0x03, 0x09, 0xFE));
    for (const QByteArray& edid : sim.state().inputEdid) {
        EXPECT_EQ(edid, initial.defaultEdid);
    }
}

TEST(EdidCommands, AnEmptyUserMemoryCannotBeSet) {
    sim::SwitcherSim sim;
    sim.state().userEdid[0].clear();
    EXPECT_EQ(quint8(exchange(sim, sim::makeFrame(0x03, 0x02, 0xF100, 1))[4]), 0xFF);
    EXPECT_EQ(sim.state().inputEdid[0], sim.state().defaultEdid);
}

TEST(EdidCommands, RebootIsCounted) {
    sim::SwitcherSim sim;
    exchange(sim, sim::makeFrame(0x80, 0x02, 0x0F));
    EXPECT_EQ(sim.state().rebootCount, 1);
}

}  // namespace

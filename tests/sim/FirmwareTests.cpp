#include <gtest/gtest.h>

#include <functional>

#include "SimTestSupport.h"
#include "sim/FirmwareFault.h"

using namespace simtest;

namespace {

constexpr quint8 kD = 0x44;

QByteArray partCommand(quint8 code, quint16 mcu, quint16 ver1 = 1, quint16 ver2 = 0) {
    return sim::makeFrame(0x20, code, mcu, 0, ver1, ver2);
}

// A block of a part as the controller sends it: 270 bytes for code 1, 14 + payload for code 2.
QByteArray block(quint8 code, quint16 mcu, quint16 number, const QByteArray& payload, bool last) {
    QByteArray b = sim::makeFrame(0x20, code, last ? 0x56 : 0xAA,
                                  static_cast<quint16>(payload.size()), mcu, number);
    b.append(static_cast<char>(sim::checksumOf(payload)));
    b.append(payload);
    if (code == 1) {
        b.resize(sim::kBlockSize, '\0');
    }
    return b;
}

quint8 statusOf(const QByteArray& reply) {
    return reply.size() == sim::kFrameSize ? static_cast<quint8>(reply[4]) : 0xEE;
}

// Sends a whole part the way the controller does; returns the status of every reply.
std::vector<int> sendPart(sim::SwitcherSim& sim, quint8 code, quint16 mcu, const QByteArray& image,
                          quint16 ver1 = 1, quint16 ver2 = 0) {
    std::vector<int> statuses{statusOf(exchange(sim, partCommand(code, mcu, ver1, ver2)))};
    if (code == 1) {
        statuses.push_back(statusOf(exchange(sim, sim::makeFrame(0x20, 1, 0x80))));
        statuses.push_back(statusOf(exchange(sim, sim::makeFrame(0x20, 1, 0x10))));
    }
    for (qsizetype offset = 0, n = 0; offset < image.size(); offset += 256, ++n) {
        const bool last = image.size() - offset <= 256;
        statuses.push_back(statusOf(exchange(
            sim, block(code, mcu, static_cast<quint16>(n), image.mid(offset, 256), last))));
    }
    return statuses;
}

TEST(Firmware, KeepsAPlainPartSentInExactBlocks) {
    sim::SwitcherSim sim;
    const QByteArray image = pattern(600, 1);
    EXPECT_EQ(sendPart(sim, 2, 3, image, 2, 0), (std::vector<int>{0xAA, 0x00, 0x00, 0x00}));
    ASSERT_EQ(sim.firmwareParts().size(), 1u);
    EXPECT_EQ(sim.firmwareParts()[0].image, image);
    EXPECT_EQ(sim.firmwareParts()[0].label(), QStringLiteral("Part_2.3.2.0"));
    // A slave part neither restarts the switcher nor changes the version it reports.
    EXPECT_EQ(exchange(sim, sim::makeFrame(0x01, 0x03, 0xFE)), hex("A55B01030200050000000000F5"));
}

struct BadBlockCase {
    const char* name;
    std::function<QByteArray(const QByteArray& good)> spoil;
};

void PrintTo(const BadBlockCase& c, std::ostream* os) {
    *os << c.name;
}

class BadBlocks : public ::testing::TestWithParam<BadBlockCase> {};

TEST_P(BadBlocks, AreRefusedAndTheRightBlockIsStillTaken) {
    sim::SwitcherSim sim;
    const QByteArray payload = pattern(256, 2);
    ASSERT_EQ(sendPart(sim, 1, 1, {}), (std::vector<int>{0xAA, 0x00, 0x00}));
    const QByteArray good = block(1, 1, 0, payload, false);
    EXPECT_EQ(statusOf(exchange(sim, GetParam().spoil(good))), 0xFF);
    EXPECT_EQ(statusOf(exchange(sim, good)), 0x00);
    EXPECT_EQ(statusOf(exchange(sim, block(1, 1, 1, payload.left(3), true))), 0x00);
    ASSERT_EQ(sim.firmwareParts().size(), 1u);
    EXPECT_EQ(sim.firmwareParts()[0].image, payload + payload.left(3));
}

QByteArray withParam(QByteArray unit, int index, quint16 value) {
    unit[2 + 2 * index] = static_cast<char>(value & 0xFF);
    unit[3 + 2 * index] = static_cast<char>(value >> 8);
    sim::resealHeader(unit);
    return unit;
}

INSTANTIATE_TEST_SUITE_P(
    Firmware, BadBlocks,
    ::testing::Values(
        BadBlockCase{"P3IsNotThePartsMcu", [](QByteArray b) { return withParam(b, 3, 2); }},
        BadBlockCase{"P4SkipsABlock", [](QByteArray b) { return withParam(b, 4, 1); }},
        BadBlockCase{"WrongDataChecksum",
                     [](QByteArray b) {
                         b[13] = static_cast<char>(b[13] ^ 1);
                         return b;
                     }},
        BadBlockCase{"NotLastButShort",
                     [](QByteArray b) {
                         b = withParam(b, 2, 255);
                         b[13] = static_cast<char>(sim::checksumOf(b.mid(14, 255)));
                         return b;
                     }},
        // Byte 255 of the payload is left where the padding should be 0.
        BadBlockCase{"PaddingNotZero",
                     [](QByteArray b) {
                         b = withParam(withParam(b, 1, 0x56), 2, 255);
                         b[13] = static_cast<char>(sim::checksumOf(b.mid(14, 255)));
                         return b;
                     }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Firmware, ARepeatedBlockIsAnsweredAgainAndKeptOnce) {
    sim::SwitcherSim sim;
    const QByteArray image = pattern(300, 3);
    exchange(sim, partCommand(2, 1));
    const QByteArray first = block(2, 1, 0, image.left(256), false);
    EXPECT_EQ(statusOf(exchange(sim, first)), 0x00);
    EXPECT_EQ(statusOf(exchange(sim, first)), 0x00);
    EXPECT_EQ(statusOf(exchange(sim, block(2, 1, 1, image.mid(256), true))), 0x00);
    ASSERT_EQ(sim.firmwareParts().size(), 1u);
    EXPECT_EQ(sim.firmwareParts()[0].image, image);
}

TEST(Firmware, StagingStepsOnlyInTheirPlace) {
    sim::SwitcherSim sim;
    EXPECT_EQ(statusOf(exchange(sim, sim::makeFrame(0x20, 1, 0x80))), 0xFF);  // no part yet
    exchange(sim, partCommand(1, 1));
    EXPECT_EQ(statusOf(exchange(sim, sim::makeFrame(0x20, 1, 0x10))), 0xFF);  // step 2 first
    EXPECT_EQ(statusOf(exchange(sim, partCommand(1, 2))), 0xFF);  // the main MCU is number 1
    EXPECT_EQ(statusOf(exchange(sim, partCommand(2, 4))), 0xFF);  // three slaves
}

TEST(Firmware, FaultsDeclineOrSilenceChosenSteps) {
    sim::SwitcherSim sim;
    QString error;
    for (const char* text : {"decline:block=1:2:2.1", "silent:command:1:2.2", "decline:stage2"}) {
        const auto fault = sim::parseFirmwareFault(QString::fromLatin1(text), &error);
        ASSERT_TRUE(fault) << text;
        sim.injectFirmwareFault(*fault);
    }
    const QByteArray image = pattern(400, 4);
    EXPECT_TRUE(exchange(sim, partCommand(2, 2)).isEmpty());
    EXPECT_EQ(sendPart(sim, 2, 1, image), (std::vector<int>{0xAA, 0x00, kD}));
    EXPECT_EQ(statusOf(exchange(sim, block(2, 1, 1, image.mid(256), true))), kD);
    EXPECT_EQ(statusOf(exchange(sim, block(2, 1, 1, image.mid(256), true))), 0x00);
    EXPECT_EQ(sim.firmwareParts().at(0).image, image);
    EXPECT_EQ(sendPart(sim, 1, 1, {}), (std::vector<int>{0xAA, 0x00, kD}));
}

TEST(Firmware, FaultOptionsThatDoNotParse) {
    for (const char* text : {"", "refuse", "decline:block=x", "silent:stage3", "decline:block:0",
                             "decline:block:all:2", "decline:block:1:2.1:extra"}) {
        QString error;
        EXPECT_FALSE(sim::parseFirmwareFault(QString::fromLatin1(text), &error)) << text;
        EXPECT_FALSE(error.isEmpty()) << text;
    }
}

TEST(Firmware, TheMainPartRestartsTheSwitcherWhichThenReportsItsVersion) {
    sim::SwitcherSim sim;
    sim.setRebootMs(5000);
    sendPart(sim, 1, 1, pattern(10, 5), 3, 7);
    const QByteArray version = sim::makeFrame(0x01, 0x03, 0xFE);
    EXPECT_TRUE(exchange(sim, version, 4999).isEmpty());
    EXPECT_EQ(exchange(sim, version, 5000), hex("A55B01030300070000000000F2"));
}

TEST(Firmware, TheRebootCommandIsAnsweredThenTheSwitcherIsSilent) {
    sim::SwitcherSim sim;
    sim.setRebootMs(2000);
    const QByteArray probe = sim::makeFrame(0x01, 0x01);
    EXPECT_EQ(statusOf(exchange(sim, sim::makeFrame(0x80, 0x02, 0x0F), 100)), 0x00);
    EXPECT_TRUE(exchange(sim, probe, 2099).isEmpty());
    EXPECT_EQ(statusOf(exchange(sim, probe, 2100)), 0x01);
    EXPECT_EQ(sim.state().rebootCount, 1);
}

}  // namespace

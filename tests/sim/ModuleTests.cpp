// The simulated Ethernet modules: search, configuration with its faults, and LDCD on the
// control port between frames.
#include <gtest/gtest.h>

#include "SimTestSupport.h"
#include "sim/EthernetModule.h"
#include "support/CaseName.h"

using namespace sim;
using simtest::exchange;
using simtest::hex;

namespace {

quint8 sum(QByteArrayView bytes) {
    unsigned s = 0;
    for (const char c : bytes) s += static_cast<quint8>(c);
    return static_cast<quint8>(s);
}

// A configuration request for module 00-1A-2B-3C-4D-<tail>: static 192.168.0.<last>, or DHCP.
QByteArray configRequest(quint8 tail, const QByteArray& tag, quint8 last, bool dhcp = false) {
    QByteArray r(76, '\0');
    r.replace(0, 6, hex("001A2B3C4D00"));
    r[5] = static_cast<char>(tail);
    if (dhcp) {
        r[18] = 1;
        r[25] = 0x14;
    } else {
        r.replace(6, 12, hex("C0A80000C0A80001FFFFFF00"));
        r[9] = static_cast<char>(last);
        r[25] = 0x15;
    }
    r.replace(42, tag.size(), tag);
    r[74] = static_cast<char>(0xFF);
    r[75] = static_cast<char>(sum(QByteArrayView(r).first(75)));
    return r;
}

TEST(Modules, SearchAnswersEveryModuleInOneDatagram) {
    ModuleBank bank(ModuleSetup{.count = 2});
    const QByteArray answer = bank.answerSearch(QByteArray("#"));
    ASSERT_EQ(answer.size(), 110);
    EXPECT_EQ(answer.left(22), hex("001A2B3C4D01"
                                   "C0A80064"
                                   "C0A80001"
                                   "FFFFFF00"
                                   "1F40"
                                   "1F41"));
    EXPECT_EQ(answer.mid(22, 7), QByteArray("Matrix\0", 7));
    EXPECT_EQ(answer.mid(55, 6), hex("001A2B3C4D02"));
    EXPECT_EQ(answer.mid(55 + 22, 9), QByteArray("Matrix-2\0", 9));
    EXPECT_TRUE(bank.answerSearch(QByteArray("##")).isEmpty());
}

TEST(Modules, AcceptedConfigurationShowsInTheNextSearch) {
    ModuleBank bank(ModuleSetup{.count = 2});
    const QByteArray tag32(32, 'T');
    const auto answer = bank.answerConfiguration(configRequest(2, tag32, 150));
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->left(74), configRequest(2, tag32, 150).left(74));
    EXPECT_EQ(static_cast<quint8>(answer->at(74)), 0x00);
    EXPECT_EQ(static_cast<quint8>(answer->at(75)), sum(answer->left(75)));
    const QByteArray second = bank.answerSearch(QByteArray("#")).mid(55);
    EXPECT_EQ(second.mid(6, 4), hex("C0A80096"));
    EXPECT_EQ(second.mid(22, 32), tag32);

    ASSERT_TRUE(bank.answerConfiguration(configRequest(2, "Auto", 0, true)));
    EXPECT_EQ(bank.modules()[1].dhcp, true);
    EXPECT_EQ(bank.modules()[1].name, "Auto");
}

struct ConfigCase {
    const char* name;
    ModuleFault fault;
    QByteArray request;
    int status;  // -1: no answer
};

class Configurations : public ::testing::TestWithParam<ConfigCase> {};

TEST_P(Configurations, AnswerWithTheirStatus) {
    ModuleBank bank(ModuleSetup{.count = 2, .fault = GetParam().fault});
    const auto answer = bank.answerConfiguration(GetParam().request);
    EXPECT_EQ(answer ? static_cast<quint8>(answer->at(74)) : -1, GetParam().status);
    EXPECT_EQ(bank.modules()[0].name, GetParam().status == 0 ? "X" : "Matrix");
}

QByteArray withBadChecksum() {
    QByteArray r = configRequest(1, "X", 150);
    r[75] = static_cast<char>(r[75] + 1);
    return r;
}

INSTANTIATE_TEST_SUITE_P(
    Faults, Configurations,
    ::testing::Values(ConfigCase{"accepted", ModuleFault::None, configRequest(1, "X", 150), 0},
                      ConfigCase{"conflict", ModuleFault::Conflict, configRequest(1, "X", 150),
                                 0x20},
                      ConfigCase{"fail", ModuleFault::Fail, configRequest(1, "X", 150), 0x10},
                      ConfigCase{"silent", ModuleFault::Silent, configRequest(1, "X", 150), -1},
                      ConfigCase{"address of the other module", ModuleFault::None,
                                 configRequest(1, "X", 101), 0x20},
                      ConfigCase{"unknown MAC", ModuleFault::None, configRequest(9, "X", 150), -1},
                      ConfigCase{"bad checksum", ModuleFault::None, withBadChecksum(), -1},
                      ConfigCase{"an answer, not a request", ModuleFault::None,
                                 configRequest(1, "X", 150).left(74) + QByteArray(2, '\0'), -1}),
    testing_support::CaseNamer([](const ConfigCase& c) { return c.name; }));

QByteArray ldcd(quint8 command, const QByteArray& ip = hex("00000000")) {
    QByteArray p = hex("5A3C9107E24B6D18A9F033C57E02B864");
    p += static_cast<char>(command);
    p += QByteArray(3, '\0') + ip + QByteArray(6, '\0') + '\xFF';
    p += static_cast<char>(sum(p));
    return p;
}

TEST(Modules, LdcdTravelsTheControlPortBetweenFrames) {
    SwitcherSim switcher(ModuleSetup{.dhcp = true, .versionMajor = 2, .versionMinor = 7});
    // Noise before the packet, and the packet in two pieces.
    const QByteArray query = ldcd(0x01);
    EXPECT_TRUE(exchange(switcher, QByteArray("\x00\x5A", 2) + query.left(20)).isEmpty());
    const QByteArray answer = exchange(switcher, query.mid(20));
    ASSERT_EQ(answer.size(), 32);
    EXPECT_EQ(answer.left(17), query.left(17));
    EXPECT_EQ(answer.mid(17, 7), hex("020701C0A80064"));
    EXPECT_EQ(static_cast<quint8>(answer[30]), 0);
    EXPECT_EQ(static_cast<quint8>(answer[31]), sum(answer.left(31)));

    const QByteArray reset = exchange(switcher, ldcd(0xFF, hex("0A000009")));
    EXPECT_EQ(reset.mid(19, 5), hex("000A000009"));
    QByteArray badSum = ldcd(0x01);
    badSum[31] = static_cast<char>(badSum[31] + 1);
    EXPECT_TRUE(exchange(switcher, badSum).isEmpty());
    // Frames still go through after the packets.
    EXPECT_EQ(exchange(switcher, makeFrame(0x02, 0x03, 6, 1)).size(), 13);
}

}  // namespace

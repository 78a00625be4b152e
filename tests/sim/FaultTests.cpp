#include <gtest/gtest.h>

#include "SimTestSupport.h"

using namespace simtest;

namespace {

const QByteArray kDeviceType = sim::makeFrame(0x01, 0x01, 0xFE);

struct FaultCase {
    const char* name;
    sim::Fault fault;
    std::vector<double> dueMs;
    const char* sent;
};

TEST(Faults, EachKindChangesTheReplyAsNamed) {
    const FaultCase cases[] = {
        {"none",
         {sim::FaultKind::Delay, 0, -1, -1, 0, 2, {}},
         {1000},
         "A55B010101000000000000 00FD"},
        {"NoReply", faultOf(sim::FaultKind::NoReply), {}, ""},
        {"StatusFF", faultOf(sim::FaultKind::StatusFF), {1000}, "A55B0101FF000000000000 00FF"},
        {"BadChecksum",
         faultOf(sim::FaultKind::BadChecksum),
         {1000},
         "A55B010101000000000000 00A7"},
        {"WrongGroup", faultOf(sim::FaultKind::WrongGroup), {1000}, "A55B020101000000000000 00FC"},
        {"WrongCode", faultOf(sim::FaultKind::WrongCode), {1000}, "A55B010201000000000000 00FC"},
        {"Split",
         {sim::FaultKind::Split, 1, -1, -1, 0, 3, {}},
         {1000, 1003, 1006},
         "A55B010101000000000000 00FD"},
        {"TrailingBytes",
         {sim::FaultKind::TrailingBytes, 1, -1, -1, 0, 2, hex("3333")},
         {1000},
         "A55B010101000000000000 00FD 3333"},
        {"Delay",
         {sim::FaultKind::Delay, 1, -1, -1, 250, 2, {}},
         {1250},
         "A55B010101000000000000 00FD"},
        {"Garbage", {sim::FaultKind::Garbage, 1, -1, -1, 0, 2, hex("010203")}, {1000}, "010203"},
        {"ChecksumRightWrongContent",
         faultOf(sim::FaultKind::ChecksumRightWrongContent),
         {1000},
         "A55B810101000000000000 007D"},
        {"DropConnection", faultOf(sim::FaultKind::DropConnection), {}, ""},
    };
    for (const FaultCase& c : cases) {
        sim::SwitcherSim sim;
        sim.injectFault(c.fault);
        const auto deliveries = sim.receive(kDeviceType, 1000);
        std::vector<double> due;
        for (const auto& delivery : deliveries) {
            due.push_back(delivery.dueMs);
        }
        EXPECT_EQ(due, c.dueMs) << c.name;
        EXPECT_EQ(joined(deliveries), hex(c.sent)) << c.name;
        EXPECT_EQ(sim.takeConnectionDrop(), c.fault.kind == sim::FaultKind::DropConnection)
            << c.name;
        // The fault is used up: the next frame gets the plain reply.
        EXPECT_EQ(exchange(sim, kDeviceType, 2000), hex("A55B01010100000000000000FD")) << c.name;
    }
}

TEST(Faults, SplitPiecesAreAsEvenAsPossible) {
    sim::SwitcherSim sim;
    sim.injectFault({sim::FaultKind::Split, 1, -1, -1, 0, 4, {}});
    std::vector<qsizetype> sizes;
    for (const auto& delivery : sim.receive(kDeviceType, 0)) {
        sizes.push_back(delivery.bytes.size());
    }
    EXPECT_EQ(sizes, (std::vector<qsizetype>{4, 3, 3, 3}));
}

TEST(Faults, MatchByGroupAndCodeAndCountTimes) {
    sim::SwitcherSim sim;
    sim.injectFault({sim::FaultKind::StatusFF, 2, 0x02, 0x01, 0, 2, {}});
    const QByteArray getRoute = sim::makeFrame(0x02, 0x01, 1);
    EXPECT_EQ(quint8(exchange(sim, kDeviceType)[4]), 0x01);
    EXPECT_EQ(quint8(exchange(sim, sim::makeFrame(0x02, 0x03, 1, 1))[4]), 0x00);
    EXPECT_EQ(quint8(exchange(sim, getRoute)[4]), 0xFF);
    EXPECT_EQ(quint8(exchange(sim, getRoute)[4]), 0xFF);
    EXPECT_EQ(quint8(exchange(sim, getRoute)[4]), 0x00);
}

TEST(Faults, EveryTimeUntilClearedAndInQueueOrder) {
    sim::SwitcherSim sim;
    sim.injectFault(faultOf(sim::FaultKind::NoReply));
    sim.injectFault(faultOf(sim::FaultKind::StatusFF, -1));
    EXPECT_TRUE(exchange(sim, kDeviceType).isEmpty());
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(quint8(exchange(sim, kDeviceType)[4]), 0xFF);
    }
    sim.clearFaults();
    EXPECT_EQ(quint8(exchange(sim, kDeviceType)[4]), 0x01);
}

TEST(Faults, ARefusedOrLostCommandIsNotCarriedOut) {
    for (const auto kind :
         {sim::FaultKind::StatusFF, sim::FaultKind::NoReply, sim::FaultKind::WrongGroup}) {
        sim::SwitcherSim sim;
        sim.injectFault(faultOf(kind));
        exchange(sim, sim::makeFrame(0x02, 0x03, 4, 1));
        EXPECT_EQ(sim.state().routes[0], 1) << int(kind);
    }
    sim::SwitcherSim sim;
    sim.injectFault({sim::FaultKind::Delay, 1, -1, -1, 100, 2, {}});
    exchange(sim, sim::makeFrame(0x02, 0x03, 4, 1));
    EXPECT_EQ(sim.state().routes[0], 4);
}

TEST(Faults, ApplyToTheBlocksOfAReadTransfer) {
    sim::SwitcherSim sim;
    exchange(sim, sim::makeFrame(0x03, 0x05, 0xF001));
    const QByteArray ack = sim::makeFrame(0x03, 0x05, 0x00AA);
    const QByteArray good = exchange(sim, ack);

    sim.injectFault(faultOf(sim::FaultKind::BadChecksum));
    const QByteArray badData = exchange(sim, ack);
    EXPECT_EQ(badData.left(13), good.left(13));
    EXPECT_NE(badData[13], good[13]);
    EXPECT_EQ(badData.mid(14), good.mid(14));

    sim.injectFault(faultOf(sim::FaultKind::StatusFF));
    const QByteArray refused = exchange(sim, ack);
    EXPECT_EQ(quint8(refused[4]), 0xFF);
    EXPECT_TRUE(sim::hasValidChecksum(refused));

    sim.injectFault(faultOf(sim::FaultKind::ChecksumRightWrongContent));
    const QByteArray wrong = exchange(sim, ack);
    EXPECT_EQ(wrong.left(13), good.left(13));
    EXPECT_NE(wrong.mid(14), good.mid(14));
    EXPECT_EQ(quint8(wrong[13]), sim::checksumOf(wrong.mid(14, 256)));

    sim.injectFault({sim::FaultKind::Split, 1, -1, -1, 0, 3, {}});
    const auto pieces = sim.receive(ack, 0);
    EXPECT_EQ(pieces.size(), 3u);
    EXPECT_EQ(joined(pieces), good);
}

TEST(Faults, ALostAcknowledgementDoesNotSkipABlock) {
    sim::SwitcherSim sim;
    sim.state().outputEdid[0] = pattern(600, 2);
    exchange(sim, sim::makeFrame(0x03, 0x05, 0xF001));
    exchange(sim, sim::makeFrame(0x03, 0x05, 0x00AA));
    const QByteArray next = sim::makeFrame(0x03, 0x05, 0x0000);
    sim.injectFault(faultOf(sim::FaultKind::NoReply));
    EXPECT_TRUE(exchange(sim, next).isEmpty());
    EXPECT_EQ(exchange(sim, next).mid(14, 256), pattern(600, 2).mid(256, 256));
}

TEST(Faults, DropConnectionLosesTheRestOfTheStream) {
    sim::SwitcherSim sim;
    sim.injectFault(faultOf(sim::FaultKind::DropConnection));
    EXPECT_TRUE(exchange(sim, kDeviceType + kDeviceType + kDeviceType.left(5)).isEmpty());
    EXPECT_TRUE(sim.takeConnectionDrop());
    EXPECT_FALSE(sim.takeConnectionDrop());
    EXPECT_EQ(exchange(sim, kDeviceType), hex("A55B01010100000000000000FD"));
}

}  // namespace

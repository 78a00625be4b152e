#include <gtest/gtest.h>

#include "SimTestSupport.h"

using namespace simtest;

namespace {

const QByteArray kAckStart = sim::makeFrame(0x03, 0x05, 0x00AA);
const QByteArray kAckNext = sim::makeFrame(0x03, 0x05, 0x0000);
const QByteArray kAckAgain = sim::makeFrame(0x03, 0x05, 0x00FF);
const QByteArray kWriteAccepted = hex("A55B03070000000000000000F6");

TEST(EdidRead, A256ByteEdidIsOneLastBlock) {
    sim::SwitcherSim sim;
    const QByteArray edid = sim.state().outputEdid[1];
    EXPECT_EQ(exchange(sim, sim::makeFrame(0x03, 0x05, 0xF002)), hex("A55B0305AA000000000000004E"));
    const QByteArray block = exchange(sim, kAckStart);
    ASSERT_EQ(block.size(), 270);
    EXPECT_EQ(block.left(13), hex("A55B030556000001000000 00A1"));
    EXPECT_EQ(quint8(block[13]), 0x00);  // a valid EDID sums to 0
    EXPECT_EQ(block.mid(14), edid);
}

TEST(EdidRead, SendsTheSameBlockAgainOnStartOrResend) {
    sim::SwitcherSim sim;
    exchange(sim, sim::makeFrame(0x03, 0x05, 0xF001));
    const QByteArray first = exchange(sim, kAckStart);
    EXPECT_EQ(exchange(sim, kAckAgain), first);
    EXPECT_EQ(exchange(sim, kAckStart), first);
}

TEST(EdidRead, LongerDataTravelsInSeveralBlocksWithResend) {
    sim::SwitcherSim sim;
    const QByteArray data = pattern(300, 1);
    sim.state().outputEdid[0] = data;
    exchange(sim, sim::makeFrame(0x03, 0x05, 0xF001));

    const QByteArray first = exchange(sim, kAckStart);
    ASSERT_EQ(first.size(), 270);
    EXPECT_EQ(first.left(13), hex("A55B0305AA000001000000004D"));
    EXPECT_EQ(first.mid(14), data.left(256));
    EXPECT_EQ(quint8(first[13]), sim::checksumOf(data.left(256)));

    const QByteArray second = exchange(sim, kAckNext);
    ASSERT_EQ(second.size(), 270);
    EXPECT_EQ(sim::paramOf(second, 1), 0x56);
    EXPECT_EQ(sim::paramOf(second, 2), 44);
    EXPECT_EQ(second.mid(14, 44), data.mid(256));
    EXPECT_EQ(second.mid(58), QByteArray(212, '\0'));
    EXPECT_EQ(exchange(sim, kAckAgain), second);

    // The controller never acknowledges the last block; if it did, the transfer is over.
    EXPECT_EQ(exchange(sim, kAckNext), hex("A55B0305FF00000000000000F9"));
    EXPECT_EQ(exchange(sim, kAckStart).size(), 13);
}

TEST(EdidRead, AnotherCommandEndsTheTransfer) {
    sim::SwitcherSim sim;
    exchange(sim, sim::makeFrame(0x03, 0x05, 0xF001));
    exchange(sim, sim::makeFrame(0x01, 0x01, 0xFE));
    EXPECT_EQ(quint8(exchange(sim, kAckStart)[4]), 0xFF);
}

TEST(EdidWrite, A257ByteWriteIsTwoBlocksStoredWhenTheLastArrives) {
    sim::SwitcherSim sim;
    const QByteArray data = pattern(257, 3);
    const QByteArray before = sim.state().userEdid[0];
    EXPECT_EQ(exchange(sim, sim::makeFrame(0x03, 0x07, 0xF100)), hex("A55B0307AA000000000000004C"));
    EXPECT_EQ(exchange(sim, sim::makeBlock(0x03, 0x07, 0x00AA, data.left(256))), kWriteAccepted);
    EXPECT_EQ(sim.state().userEdid[0], before);
    EXPECT_EQ(exchange(sim, sim::makeBlock(0x03, 0x07, 0x0056, data.mid(256))), kWriteAccepted);
    EXPECT_EQ(sim.state().userEdid[0], data);
    // The transfer is over: a further block header is an unknown command.
    EXPECT_EQ(quint8(exchange(sim, sim::makeBlock(0x03, 0x07, 0x0056, data.left(1)).left(13))[4]),
              0xFF);
}

TEST(EdidWrite, WritesToOneInputOrAllInputs) {
    const struct {
        quint8 code;
        quint16 selector;
        std::array<bool, 6> written;
    } cases[] = {
        {0x07, 0xF004, {false, false, false, true, false, false}},
        {0x06, 0xF0FE, {true, true, true, true, true, true}},
    };
    for (const auto& c : cases) {
        sim::SwitcherSim sim;
        const QByteArray edid = sim.state().builtInEdids[0];
        exchange(sim, sim::makeFrame(0x03, c.code, c.selector));
        EXPECT_EQ(quint8(exchange(sim, sim::makeBlock(0x03, c.code, 0x0056, edid))[4]), 0x00);
        for (int input = 0; input < 6; ++input) {
            EXPECT_EQ(sim.state().inputEdid[input] == edid, c.written[input]) << input;
        }
    }
}

TEST(EdidWrite, BadBlocksAreRefusedAndTheGoodRepeatIsStoredOnce) {
    const QByteArray data = pattern(256, 4);
    QByteArray badChecksum = sim::makeBlock(0x03, 0x07, 0x0056, data);
    badChecksum[13] = static_cast<char>(badChecksum[13] ^ 1);
    QByteArray zeroLength = sim::makeFrame(0x03, 0x07, 0x0056, 0) + QByteArray(257, '\0');
    QByteArray tooLong = sim::makeFrame(0x03, 0x07, 0x0056, 0x1000) + QByteArray(257, '\0');
    for (const QByteArray& bad : {badChecksum, zeroLength, tooLong}) {
        sim::SwitcherSim sim;
        const QByteArray before = sim.state().inputEdid[0];
        exchange(sim, sim::makeFrame(0x03, 0x07, 0xF001));
        EXPECT_EQ(exchange(sim, bad), hex("A55B0307FF00000000000000F7"));
        EXPECT_EQ(sim.state().inputEdid[0], before);
        EXPECT_EQ(exchange(sim, sim::makeBlock(0x03, 0x07, 0x0056, data)), kWriteAccepted);
        EXPECT_EQ(sim.state().inputEdid[0], data);
    }
}

TEST(EdidWrite, ABlockWhoseReplyIsSpoiledIsNotKeptSoItsRepeatCountsOnce) {
    for (const auto kind : {sim::FaultKind::NoReply, sim::FaultKind::StatusFF,
                            sim::FaultKind::BadChecksum, sim::FaultKind::Garbage}) {
        sim::SwitcherSim sim;
        const QByteArray data = pattern(257, 5);
        const QByteArray first = sim::makeBlock(0x03, 0x07, 0x00AA, data.left(256));
        exchange(sim, sim::makeFrame(0x03, 0x07, 0xF200));
        sim.injectFault(faultOf(kind));
        exchange(sim, first);
        EXPECT_EQ(exchange(sim, first), kWriteAccepted);
        EXPECT_EQ(exchange(sim, sim::makeBlock(0x03, 0x07, 0x0056, data.mid(256))), kWriteAccepted);
        EXPECT_EQ(sim.state().userEdid[1], data) << int(kind);
    }
}

TEST(EdidWrite, ABlockInPiecesAfterGarbageIsStillOneBlock) {
    sim::SwitcherSim sim;
    const QByteArray edid = sim.state().outputEdid[4];
    exchange(sim, sim::makeFrame(0x03, 0x07, 0xF002));
    const QByteArray stream = hex("00A5FF5B") + sim::makeBlock(0x03, 0x07, 0x0056, edid);
    QByteArray replies;
    for (qsizetype offset = 0; offset < stream.size(); offset += 50) {
        replies += exchange(sim, stream.mid(offset, 50));
    }
    EXPECT_EQ(replies, kWriteAccepted);
    EXPECT_EQ(sim.state().inputEdid[1], edid);
}

TEST(EdidWrite, ACommandInsteadOfABlockEndsTheTransfer) {
    sim::SwitcherSim sim;
    exchange(sim, sim::makeFrame(0x03, 0x07, 0xF001));
    EXPECT_EQ(exchange(sim, sim::makeFrame(0x01, 0x01, 0xFE)), hex("A55B010101000000000000 00FD"));
}

}  // namespace

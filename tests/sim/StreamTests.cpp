#include <gtest/gtest.h>

#include "SimTestSupport.h"
#include "sim/FrameSplitter.h"

using namespace simtest;

namespace {

const QByteArray kDeviceType = sim::makeFrame(0x01, 0x01, 0xFE);
const QByteArray kDeviceTypeReply = hex("A55B01010100000000000000FD");

TEST(Frames, ChecksumMakesTheByteSumZero) {
    const struct {
        const char* bytes;
        quint8 checksum;
    } cases[] = {
        {"A55B0101FE00000000000000", 0x00}, {"A55B01010000000000000000", 0xFE},
        {"A55B02030200050000000000", 0xF4}, {"A55B1001FE0000002DD2D32E", 0xF1},
        {"FFFF02000000000000000000", 0x00},  // sums wrap at 256
    };
    for (const auto& c : cases) {
        EXPECT_EQ(sim::checksumOf(hex(c.bytes)), c.checksum) << c.bytes;
    }
    EXPECT_EQ(sim::makeFrame(0x10, 0x01, 0xFE, 0, 0xD22D, 0x2ED3),
              hex("A55B1001FE0000002DD2D32EF1"));
}

TEST(Frames, BlockIsHeaderDataChecksumAndZeroPaddedPayload) {
    const QByteArray block = sim::makeBlock(0x03, 0x07, 0x0056, hex("0102"));
    ASSERT_EQ(block.size(), 270);
    EXPECT_EQ(block.left(16), hex("A55B030756000200000000009E FD 0102"));
    EXPECT_EQ(block.mid(16), QByteArray(254, '\0'));
}

TEST(Stream, AFrameArrivingByteByByteIsAnsweredAfterItsLastByte) {
    sim::SwitcherSim sim;
    for (int i = 0; i < 12; ++i) {
        EXPECT_TRUE(sim.receive(kDeviceType.mid(i, 1), i).empty()) << i;
    }
    const auto deliveries = sim.receive(kDeviceType.right(1), 12);
    ASSERT_EQ(deliveries.size(), 1u);
    EXPECT_EQ(deliveries[0].dueMs, 12);
    EXPECT_EQ(deliveries[0].bytes, kDeviceTypeReply);
}

TEST(Stream, GarbageAndBrokenFramesInFrontAreSkipped) {
    const QByteArray brokenFrame = kDeviceType.left(12) + hex("55");
    const QByteArray fronts[] = {
        hex("00"),     hex("A5"),   hex("A5A5"),      hex("5BA5"),
        hex("A55B01"), brokenFrame, pattern(1000, 9), hex("A55B") + pattern(40, 3),
    };
    for (const QByteArray& front : fronts) {
        sim::SwitcherSim sim;
        EXPECT_EQ(exchange(sim, front + kDeviceType), kDeviceTypeReply)
            << front.toHex().left(40).toStdString();
        EXPECT_EQ(exchange(sim, kDeviceType), kDeviceTypeReply);
    }
}

TEST(Stream, SeveralFramesInOneDeliveryAreAnsweredInOrder) {
    sim::SwitcherSim sim;
    const QByteArray replies =
        exchange(sim, sim::makeFrame(0x02, 0x03, 6, 2) + sim::makeFrame(0x02, 0x01, 2));
    EXPECT_EQ(replies, hex("A55B020300000000000000 00FB A55B02010000060000000000F7"));
}

TEST(Stream, TheSplitterNeverHoldsMoreThanABlockAndAFeed) {
    sim::FrameSplitter splitter;
    const auto anyBlock = [](QByteArrayView) { return sim::kBlockSize; };
    QByteArray noise = pattern(100000, 7);
    for (qsizetype i = 0; i + 1 < noise.size(); i += 97) {
        noise[i] = static_cast<char>(0xA5);
        noise[i + 1] = static_cast<char>(0x5B);
    }
    for (qsizetype offset = 0; offset < noise.size(); offset += 270) {
        splitter.append(
            QByteArrayView(noise).sliced(offset, std::min<qsizetype>(270, noise.size() - offset)));
        while (splitter.next(anyBlock)) {
        }
        EXPECT_LE(splitter.buffered(), 270);
    }
}

TEST(Stream, AMegabyteOfGarbageGetsNoReplyAndLeavesTheSwitcherWorking) {
    sim::SwitcherSim sim;
    QByteArray garbage = pattern(1 << 20, 5);
    garbage.replace(QByteArray("\xA5\x5B", 2), QByteArray("\xA5\x5C", 2));
    EXPECT_TRUE(sim.receive(garbage, 0).empty());
    EXPECT_EQ(exchange(sim, kDeviceType), kDeviceTypeReply);
    EXPECT_EQ(sim.frameLog().size(), 1);
}

TEST(FrameLog, OneHexLinePerFrameAndBlock) {
    sim::SwitcherSim sim;
    exchange(sim, hex("FF") + kDeviceType);
    exchange(sim, sim::makeFrame(0x03, 0x07, 0xF001));
    exchange(sim, sim::makeBlock(0x03, 0x07, 0x0056, hex("0102")));
    EXPECT_EQ(sim.frameLog(), (QStringList{
                                  "A5 5B 01 01 FE 00 00 00 00 00 00 00 00",
                                  "A5 5B 03 07 01 F0 00 00 00 00 00 00 05",
                                  "A5 5B 03 07 56 00 02 00 00 00 00 00 9E FD +2 bytes",
                              }));
    EXPECT_EQ(sim.framesReceived(), 3);
}

TEST(FrameLog, KeepsOnlyTheLatestLines) {
    sim::SwitcherSim sim;
    QByteArray many;
    for (int i = 0; i <= sim::SwitcherSim::kFrameLogLimit; ++i) {
        many += kDeviceType;
    }
    many += sim::makeFrame(0x01, 0x02, 0xFE);
    sim.receive(many, 0);
    EXPECT_EQ(sim.frameLog().size(), sim::SwitcherSim::kFrameLogLimit);
    EXPECT_EQ(sim.framesReceived(), sim::SwitcherSim::kFrameLogLimit + 2);
    EXPECT_EQ(sim.frameLog().back(), "A5 5B 01 02 FE 00 00 00 00 00 00 00 FF");
}

struct DueCase {
    const char* name;
    bool wireTime;
    int replyDelayMs;
    QByteArray request;
    std::vector<double> dueMs;
};

// Due times to the microsecond: nothing rounds them to whole ms.
void expectDue(const std::vector<sim::Delivery>& deliveries, const std::vector<double>& expected,
               const char* name) {
    ASSERT_EQ(deliveries.size(), expected.size()) << name;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_NEAR(deliveries[i].dueMs, expected[i], 0.001) << name << " #" << i;
    }
}

TEST(WireTime, RepliesAreDueWhenTheirLastByteHasCrossedTheLine) {
    const QByteArray readAck = sim::makeFrame(0x03, 0x05, 0x00AA);
    const DueCase cases[] = {
        {"no wire time", false, 0, kDeviceType, {1000}},
        {"no wire time, delay", false, 20, kDeviceType, {1020}},
        {"13 + 13 bytes", true, 0, kDeviceType, {1004.514}},
        {"13 + 13 bytes and 20 ms", true, 20, kDeviceType, {1024.514}},
        {"13 + 270 bytes", true, 0, readAck, {1049.132}},
        {"two frames back to back", true, 0, kDeviceType + kDeviceType, {1004.514, 1006.771}},
        {"garbage in front takes line time",
         true,
         0,
         QByteArray(13, '\0') + kDeviceType,
         {1006.771}},
    };
    for (const DueCase& c : cases) {
        sim::SwitcherSim sim;
        sim.setWireTimeEmulation(c.wireTime);
        sim.setReplyDelayMs(c.replyDelayMs);
        if (c.request == readAck) {
            exchange(sim, sim::makeFrame(0x03, 0x05, 0xF001), 0);
        }
        expectDue(sim.receive(c.request, 1000), c.dueMs, c.name);
    }
}

TEST(WireTime, SplitPiecesFollowTheirBytesOnTheLine) {
    sim::SwitcherSim sim;
    sim.setWireTimeEmulation(true);
    sim.injectFault({sim::FaultKind::Split, 1, -1, -1, 0, 2, {}});
    expectDue(sim.receive(kDeviceType, 1000), {1003.472, 1007.514}, "split in two");
}

TEST(WireTime, AReplyNeverOvertakesAnEarlierDelayedOne) {
    sim::SwitcherSim sim;
    sim.injectFault({sim::FaultKind::Delay, 1, -1, -1, 500, 2, {}});
    EXPECT_EQ(sim.receive(kDeviceType, 1000).at(0).dueMs, 1500);
    EXPECT_EQ(sim.receive(kDeviceType, 1100).at(0).dueMs, 1500);
    EXPECT_EQ(sim.receive(kDeviceType, 2000).at(0).dueMs, 2000);
}

}  // namespace

#include <gtest/gtest.h>

#include "link/Commands.h"
#include "support/CaseName.h"
#include "support/ScriptedReplies.h"
#include "support/SimHarness.h"

using namespace devlink;
using namespace testing_support;

namespace {

QByteArray Pattern(int size, int seed) {
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 13 + seed) & 0xFF);
    return bytes;
}

// An EDID read takes at most 257 bytes: one block, or two for the 257-byte image.
constexpr int kEdidLimit = 257;

Frame ReadEdidOfOutput(int output) {
    return BuildFrame(0x03, 0x05, 0xF000 + output);
}

// Scripted switcher side of a read transfer: the start reply, then one
// block per acknowledgement taken from `blocks` in order.
struct ReadScript {
    std::vector<QByteArray> blocks;
    std::size_t next = 0;
    std::vector<quint16> acks;

    SimSerialTransport::Responder responder() {
        return [this](const QByteArray& bytes, qint64 now) {
            const auto p1 = static_cast<quint16>(quint8(bytes[4]) | (quint8(bytes[5]) << 8));
            if (bytes.size() == 13 && p1 >= 0xF000)
                return At(now + 2, ReplyFrame(0x03, 0x05, 0xAA));
            acks.push_back(p1);
            if (next >= blocks.size()) return std::vector<sim::Delivery>{};
            return At(now + 3, blocks[next++]);
        };
    }
};

TEST(ReadData, ReadsAnOutputsEdidFromTheSimulator) {
    LinkHarness h;
    const QByteArray edid = h.sim.state().outputEdid[1];
    ASSERT_EQ(edid.size(), 256);
    const CommandResult r = h.link->ReadData(ReadEdidOfOutput(2), kEdidLimit);
    EXPECT_EQ(r.ok, 1);
    EXPECT_EQ(h.link->InStream(), edid);
    EXPECT_EQ(h.observer.outcomes(), std::vector<int>{WM_LINK_DONE});
    // The command, then one request with P1 0x00AA; no acknowledgement after the last block.
    const auto frames = h.sentFrames();
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[1], BuildFrame(0x03, 0x05, 0x00AA, 0));
}

TEST(ReadData, AsksAgainWithAAUntilTheFirstBlockIsGoodThenFF) {
    LinkHarness h;
    ReadScript script;
    const QByteArray a = Pattern(256, 1), b = Pattern(1, 2);
    script.blocks = {DataBlock(0x03, 0x05, 0xAA, a, true), DataBlock(0x03, 0x05, 0xAA, a),
                     DataBlock(0x03, 0x05, 0x56, b, true), DataBlock(0x03, 0x05, 0x56, b)};
    h.transport->setResponder(script.responder());
    const CommandResult r = h.link->ReadData(ReadEdidOfOutput(1), kEdidLimit);
    EXPECT_EQ(r.ok, 1);
    EXPECT_EQ(script.acks, (std::vector<quint16>{0x00AA, 0x00AA, 0x0000, 0x00FF}));
    EXPECT_EQ(h.link->InStream(), a + b);
    EXPECT_EQ(h.observer.outcomes(), std::vector<int>{WM_LINK_DONE});
}

TEST(ReadData, RejectsABlockClaimingMoreThan256Bytes) {
    LinkHarness h;
    ReadScript script;
    QByteArray oversized = DataBlock(0x03, 0x05, 0x56, Pattern(256, 3));
    oversized[6] = char(0x01);  // P2 = 0x0101
    oversized[7] = char(0x01);
    oversized[12] = 0;
    unsigned sum = 0;
    for (int i = 0; i < 12; ++i) sum += quint8(oversized[i]);
    oversized[12] = static_cast<char>(quint8(0u - sum));
    script.blocks.assign(5, oversized);
    h.transport->setResponder(script.responder());
    const CommandResult r = h.link->ReadData(ReadEdidOfOutput(1), kEdidLimit);
    EXPECT_EQ(r.ok, 0);
    EXPECT_TRUE(h.link->InStream().isEmpty());
    EXPECT_EQ(h.observer.outcomes(), std::vector<int>{WM_LINK_NOREPLY});
}

TEST(ReadData, TakesTheTwoBlocksOfTheLongestTransferItsBoundAllows) {
    LinkHarness h;
    ReadScript script;
    const QByteArray a = Pattern(256, 6), b = Pattern(1, 7);
    script.blocks = {DataBlock(0x03, 0x05, 0xAA, a), DataBlock(0x03, 0x05, 0x56, b)};
    h.transport->setResponder(script.responder());
    EXPECT_EQ(h.link->ReadData(ReadEdidOfOutput(1), kEdidLimit).ok, 1);
    EXPECT_EQ(h.link->InStream(), a + b);
    EXPECT_EQ(h.observer.outcomes(), std::vector<int>{WM_LINK_DONE});
}

// A switcher that never sends its last block, or sends more than the caller takes, ends the
// transfer as a failure at once; the link is not held and no more is kept than the bound.
struct OverlongRead {
    const char* name;
    std::vector<QByteArray> blocks;
    qsizetype kept;
    std::size_t acks;
};

class ReadDataBound : public testing::TestWithParam<OverlongRead> {};

TEST_P(ReadDataBound, EndsAsAnInvalidTransfer) {
    LinkHarness h;
    ReadScript script;
    script.blocks = GetParam().blocks;
    h.transport->setResponder(script.responder());
    const CommandResult r = h.link->ReadData(ReadEdidOfOutput(1), kEdidLimit);
    EXPECT_EQ(r.ok, 0);
    EXPECT_EQ(h.link->InStream().size(), GetParam().kept);
    EXPECT_EQ(script.acks.size(), GetParam().acks);
    EXPECT_EQ(h.observer.outcomes(), std::vector<int>{WM_LINK_INVALID});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadDataBound,
    testing::Values(OverlongRead{"EndlessNotLastBlocks",
                                 std::vector<QByteArray>(50, DataBlock(0x03, 0x05, 0xAA,
                                                                       Pattern(256, 8))),
                                 256, 2},
                    OverlongRead{"LastBlockPastTheBound",
                                 {DataBlock(0x03, 0x05, 0xAA, Pattern(256, 9)),
                                  DataBlock(0x03, 0x05, 0x56, Pattern(2, 9))},
                                 256,
                                 2}),
    CaseNamer([](const OverlongRead& c) { return c.name; }));

TEST(ReadData, KeepsEarlierBlocksWhenALaterOneTimesOut) {
    LinkHarness h;
    ReadScript script;
    script.blocks = {DataBlock(0x03, 0x05, 0xAA, Pattern(256, 4))};
    h.transport->setResponder(script.responder());
    const CommandResult r = h.link->ReadData(ReadEdidOfOutput(1), kEdidLimit);
    EXPECT_EQ(r.ok, 0);
    EXPECT_EQ(h.link->InStream().size(), 256);
    EXPECT_EQ(h.observer.outcomes(), std::vector<int>{WM_LINK_TIMEOUT});
    EXPECT_EQ(script.acks.size(), 6u);  // one good block, then five silent requests
}

TEST(ReadData, AFailedStartCommandDoesNotStartTheTransfer) {
    LinkHarness h;
    h.sim.state().outputLinked[2] = false;
    const CommandResult r = h.link->ReadData(ReadEdidOfOutput(3), kEdidLimit);
    EXPECT_EQ(r.ok, 0);
    EXPECT_EQ(h.transport->written.size(), 5);
    EXPECT_EQ(h.observer.outcomes(), std::vector<int>{WM_LINK_NOREPLY});
}

TEST(ReadData, StopDuringTheTransferIsNotASuccess) {
    LinkHarness h;
    ReadScript script;
    script.blocks = {DataBlock(0x03, 0x05, 0xAA, Pattern(256, 5))};
    h.transport->setResponder(script.responder());
    h.pump->onTick = [&] {
        if (!h.link->InStream().isEmpty()) h.flags.requestStop();
    };
    EXPECT_EQ(h.link->ReadData(ReadEdidOfOutput(1), kEdidLimit).ok, 0);
    EXPECT_TRUE(h.observer.outcomes().empty());
}

TEST(ReadData, ATransportErrorDuringTheBlocksIsALinkError) {
    LinkHarness h;
    ReadScript script;
    h.transport->setResponder([&](const QByteArray& bytes, qint64 now) {
        h.transport->failWrite = true;
        return script.responder()(bytes, now);
    });
    EXPECT_EQ(h.link->ReadData(ReadEdidOfOutput(1), kEdidLimit).ok, 0);
    EXPECT_EQ(h.observer.outcomes(), std::vector<int>{WM_LINK_ERROR});
}

TEST(WriteData, Writes256BytesAsOneLastBlockAndTheSimulatorKeepsThem) {
    LinkHarness h;
    const QByteArray edid = h.sim.state().outputEdid[0];
    h.link->OutStream() = edid;
    const CommandResult r = h.link->WriteData(BuildFrame(0x03, 0x07, 0xF003));
    EXPECT_EQ(r.ok, 1);
    EXPECT_EQ(h.sim.state().inputEdid[2], edid);
    ASSERT_EQ(h.transport->written.size(), 2);
    const QByteArray block = h.transport->written[1];
    ASSERT_EQ(block.size(), 270);
    EXPECT_EQ(
        block.left(13),
        QByteArray(reinterpret_cast<const char*>(BuildFrame(0x03, 0x07, 0x56, 256).data()), 13));
    EXPECT_EQ(block.mid(14), edid);
    EXPECT_EQ(h.observer.outcomes(), std::vector<int>{WM_LINK_DONE});
}

TEST(WriteData, Writes257BytesAsTwoBlocks) {
    LinkHarness h;
    const QByteArray data = Pattern(257, 6);
    h.link->OutStream() = data;
    EXPECT_EQ(h.link->WriteData(BuildFrame(0x03, 0x07, 0xF100)).ok, 1);
    const auto frames = h.sentFrames();
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(frames[1], BuildFrame(0x03, 0x07, 0xAA, 256));
    EXPECT_EQ(frames[2], BuildFrame(0x03, 0x07, 0x56, 1));
    const QByteArray last = h.transport->written[2];
    EXPECT_EQ(last.size(), 270);
    EXPECT_EQ(quint8(last[13]), quint8(0u - quint8(data[256])));
    EXPECT_EQ(last[14], data[256]);
    EXPECT_EQ(last.mid(15), QByteArray(255, '\0'));
    EXPECT_EQ(h.sim.state().userEdid[0], data.left(256) + data.mid(256));
}

TEST(WriteData, ResendsARefusedBlockUnchangedUpToFiveTimes) {
    for (int status : {0xAA, 0xFF}) {
        LinkHarness h;
        h.link->OutStream() = Pattern(256, 7);
        h.transport->setResponder([status](const QByteArray& bytes, qint64 now) {
            return At(now + 1, ReplyFrame(0x03, 0x06, bytes.size() == 13 ? 0xAA : status));
        });
        const CommandResult r = h.link->WriteData(BuildFrame(0x03, 0x06, 0xF0FE));
        EXPECT_EQ(r.ok, 0);
        ASSERT_EQ(h.transport->written.size(), 6);
        for (int i = 2; i < 6; ++i) EXPECT_EQ(h.transport->written[i], h.transport->written[1]);
        EXPECT_EQ(h.observer.outcomes(), std::vector<int>{WM_LINK_NOREPLY}) << status;
    }
}

TEST(WriteData, AStartReplyWithoutReadyStatusIsInvalid) {
    LinkHarness h;
    h.link->OutStream() = Pattern(256, 8);
    h.transport->setResponder(
        [](const QByteArray&, qint64 now) { return At(now + 1, ReplyFrame(0x03, 0x06, 0x00)); });
    EXPECT_EQ(h.link->WriteData(BuildFrame(0x03, 0x06, 0xF0FE)).ok, 0);
    EXPECT_EQ(h.transport->written.size(), 1);
    EXPECT_EQ(h.observer.outcomes(), std::vector<int>{WM_LINK_INVALID});
}

TEST(WriteData, ATimedOutBlockEndsWithTimeout) {
    LinkHarness h;
    h.link->OutStream() = Pattern(256, 9);
    h.transport->setResponder([](const QByteArray& bytes, qint64 now) {
        if (bytes.size() == 13) return At(now + 1, ReplyFrame(0x03, 0x06, 0xAA));
        return std::vector<sim::Delivery>{};
    });
    EXPECT_EQ(h.link->WriteData(BuildFrame(0x03, 0x06, 0xF0FE)).ok, 0);
    EXPECT_EQ(h.transport->written.size(), 6);
    EXPECT_EQ(h.observer.outcomes(), std::vector<int>{WM_LINK_TIMEOUT});
}

TEST(WriteData, LogsEachSentBlockOverItsPayload) {
    LinkHarness h;
    h.link->OutStream() = Pattern(3, 10);
    h.link->WriteData(BuildFrame(0x03, 0x07, 0xF001));
    const auto logs = h.observer.texts(WM_LINK_DATALOG);
    const auto sent = std::find_if(logs.begin(), logs.end(), [](const QString& t) {
        return t.startsWith(QStringLiteral("0xA5, 0x5B, 0x03, 0x07, |0x56"));
    });
    ASSERT_NE(sent, logs.end());
    EXPECT_EQ(sent->count(QStringLiteral("0x")), 17);
}

TEST(WriteData, ATransportErrorMidTransferIsALinkError) {
    LinkHarness h;
    h.link->OutStream() = Pattern(600, 11);
    h.transport->setResponder([&](const QByteArray& bytes, qint64 now) {
        if (bytes.size() == 270) h.transport->failWrite = true;
        return At(now + 1, ReplyFrame(0x03, 0x06, bytes.size() == 13 ? 0xAA : 0x00));
    });
    EXPECT_EQ(h.link->WriteData(BuildFrame(0x03, 0x06, 0xF0FE)).ok, 0);
    EXPECT_EQ(h.observer.outcomes(), std::vector<int>{WM_LINK_ERROR});
}

}  // namespace

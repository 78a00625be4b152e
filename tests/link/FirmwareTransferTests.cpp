// Firmware part transfers and the reboot wait on virtual time, against the in-process
// simulator or a scripted switcher.
#include <gtest/gtest.h>

#include <deque>

#include "firmware/FirmwareTransfer.h"
#include "support/ScriptedReplies.h"
#include "support/SimHarness.h"

using namespace devlink;
using namespace testing_support;

namespace {

constexpr int kSilent = -1;
constexpr quint8 kD = 0x44;

Frame PartFrame(quint8 code, quint16 mcu, quint16 ver1, quint16 ver2, quint8 group = 0x20) {
    return BuildFrame(group, code, mcu, 0, ver1, ver2);
}

QByteArray Image(int size, int seed) {
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 31 + seed) ^ (i >> 8));
    return bytes;
}

Frame HeaderOf(const QByteArray& bytes) {
    return FrameFrom(std::span(reinterpret_cast<const quint8*>(bytes.constData()), 13));
}

bool IsStagingStep(const QByteArray& bytes) {
    const Frame f = HeaderOf(bytes);
    return bytes.size() == 13 && (Param(f, 1) == 0x80 || Param(f, 1) == 0x10) && Param(f, 2) == 0 &&
           Param(f, 3) == 0 && Param(f, 4) == 0;
}

std::vector<int> Without(std::vector<int> messages, int dropped) {
    std::erase(messages, dropped);
    return messages;
}

struct Sent {
    qint64 at;
    QByteArray bytes;
};

// A switcher that answers each kind of unit with the next status of its queue (kSilent: no
// answer); an empty queue answers as a willing switcher would.
struct Script {
    std::deque<int> command, steps, blocks, probes;
    std::vector<Sent> sent;

    SimSerialTransport::Responder responder() {
        return [this](const QByteArray& bytes, qint64 now) {
            sent.push_back({now, bytes});
            const bool probe = bytes.size() == 13 && bytes[2] == 0x01;
            std::deque<int>& queue = probe                  ? probes
                                     : bytes.size() > 13    ? blocks
                                     : IsStagingStep(bytes) ? steps
                                                            : command;
            const int fallback = probe ? 0x01 : (&queue == &command ? 0xAA : 0x00);
            const int status = queue.empty() ? fallback : queue.front();
            if (!queue.empty()) queue.pop_front();
            if (status == kSilent) return std::vector<sim::Delivery>{};
            return At(now + 1, ReplyFrame(quint8(bytes[2]), quint8(bytes[3]), status));
        };
    }
    std::vector<Sent> blocksSent() const {
        std::vector<Sent> result;
        std::copy_if(sent.begin(), sent.end(), std::back_inserter(result),
                     [](const Sent& s) { return s.bytes.size() > 13; });
        return result;
    }
};

// Records the simulator's traffic with the virtual time of every write.
void RecordWrites(LinkHarness& h, std::vector<Sent>& sent) {
    h.transport->setResponder([&](const QByteArray& bytes, qint64 now) {
        sent.push_back({now, bytes});
        return h.sim.receive(bytes, now);
    });
}

std::vector<qint64> LParams(const RecordingObserver& observer, int message) {
    std::vector<qint64> values;
    for (const auto& n : observer.received)
        if (n.message == message) values.push_back(n.lParam);
    return values;
}

struct BoundaryCase {
    const char* name;
    int size;
    std::vector<std::pair<quint16, quint16>> blocks;  // P1, P2
    std::vector<qint64> progress;
};

void PrintTo(const BoundaryCase& c, std::ostream* os) {
    *os << c.name;
}

class BlockBoundaries : public ::testing::TestWithParam<BoundaryCase> {};

TEST_P(BlockBoundaries, SplitTheImageAndReportProgress) {
    const BoundaryCase& c = GetParam();
    LinkHarness h;
    std::vector<Sent> sent;
    RecordWrites(h, sent);
    const QByteArray image = Image(c.size, 2);
    h.link->OutStream() = image;
    EXPECT_EQ(FirmwareTransfer(*h.link).WritePart(PartFrame(2, 3, 4, 5)).ok, 1);
    ASSERT_EQ(sent.size(), c.blocks.size() + 1);
    EXPECT_EQ(HeaderOf(sent[0].bytes), PartFrame(2, 3, 4, 5));
    for (std::size_t i = 0; i < c.blocks.size(); ++i) {
        const auto [status, length] = c.blocks[i];
        EXPECT_EQ(HeaderOf(sent[i + 1].bytes), BuildFrame(0x20, 2, status, length, 3, quint16(i)));
        // A plain part's block is exactly its header, data checksum and payload.
        EXPECT_EQ(sent[i + 1].bytes.mid(14), image.mid(qsizetype(i) * 256, length)) << i;
    }
    EXPECT_EQ(LParams(h.observer, WM_LINK_PROGRESS), c.progress);
    EXPECT_EQ(h.observer.received.back().message, WM_LINK_DONE);
    EXPECT_EQ(h.observer.received.back().wParam, 0);
    ASSERT_EQ(h.sim.firmwareParts().size(), 1u);
    EXPECT_EQ(h.sim.firmwareParts()[0].image, image);
}

INSTANTIATE_TEST_SUITE_P(
    WritePart, BlockBoundaries,
    ::testing::Values(
        BoundaryCase{"Exactly256", 256, {{0x56, 256}}, {100}},
        BoundaryCase{"ShortLastBlock", 700, {{0xAA, 256}, {0xAA, 256}, {0x56, 188}}, {36, 73, 100}},
        BoundaryCase{"Of257", 257, {{0xAA, 256}, {0x56, 1}}, {99, 100}},
        BoundaryCase{
            "ThreeFullBlocks", 768, {{0xAA, 256}, {0xAA, 256}, {0x56, 256}}, {33, 66, 100}},
        BoundaryCase{"Empty", 0, {{0x56, 0}}, {100}}),
    [](const auto& info) { return std::string(info.param.name); });

struct StartCase {
    const char* name;
    bool staged;
    std::deque<int> command;
    std::deque<int> steps;
    quint8 ok;
    std::vector<int> outcomes;
    std::size_t framesSent;
};

void PrintTo(const StartCase& c, std::ostream* os) {
    *os << c.name;
}

class PartStart : public ::testing::TestWithParam<StartCase> {};

TEST_P(PartStart, FollowsTheStatusOfTheCommandAndTheStagingSteps) {
    const StartCase& c = GetParam();
    LinkHarness h;
    Script script{c.command, c.steps, {}, {}, {}};
    h.transport->setResponder(script.responder());
    h.link->OutStream() = Image(300, 3);
    FirmwareTransfer transfer(*h.link);
    // Slave MCU2 version 7.255, or a main part outside the group that reboots by itself.
    const CommandResult r = c.staged ? transfer.WritePartStaged(PartFrame(1, 1, 9, 8, 0x21))
                                     : transfer.WritePart(PartFrame(2, 2, 7, 255));
    EXPECT_EQ(r.ok, c.ok);
    EXPECT_EQ(Without(h.observer.outcomes(), WM_LINK_PROGRESS), c.outcomes);
    EXPECT_EQ(script.sent.size(), c.framesSent);
    for (const auto& n : h.observer.received) {
        if (n.message != WM_LINK_PARTREFUSED) continue;
        EXPECT_EQ(n.wParam, c.staged ? 0x0101 : 0x0202);
        EXPECT_EQ(n.lParam, c.staged ? 0x0908 : 0x07FF);
    }
}

const int kFF = 0xFF;
INSTANTIATE_TEST_SUITE_P(
    Firmware, PartStart,
    ::testing::Values(
        StartCase{"CommandDeclined", false, {kD}, {}, 1, {WM_LINK_PARTREFUSED}, 1},
        StartCase{"CommandAnsweredAccepted", false, {0x00}, {}, 0, {WM_LINK_INVALID}, 1},
        StartCase{"CommandAnsweredOther", false, {0x55}, {}, 0, {WM_LINK_INVALID}, 1},
        StartCase{"CommandRefusedFiveTimes",
                  false,
                  {kFF, kFF, kFF, kFF, kFF},
                  {},
                  0,
                  {WM_LINK_NOREPLY},
                  5},
        StartCase{"CommandSilent",
                  false,
                  {kSilent, kSilent, kSilent, kSilent, kSilent},
                  {},
                  0,
                  {WM_LINK_TIMEOUT},
                  5},
        StartCase{"CommandReadyAfterARefusal", false, {kFF, 0xAA}, {}, 1, {WM_LINK_DONE}, 4},
        StartCase{"StagedAllWell", true, {}, {}, 1, {WM_LINK_DONE}, 5},
        StartCase{"StagedCommandDeclined", true, {kD}, {}, 1, {WM_LINK_PARTREFUSED}, 1},
        StartCase{"FirstStepAnsweredReady", true, {}, {0xAA}, 0, {WM_LINK_INVALID}, 2},
        StartCase{"FirstStepDeclined", true, {}, {kD}, 1, {WM_LINK_PARTREFUSED}, 2},
        StartCase{"FirstStepRefusedFiveTimes",
                  true,
                  {},
                  {kFF, kFF, kFF, kFF, kFF},
                  0,
                  {WM_LINK_NOREPLY},
                  6},
        StartCase{"SecondStepAnsweredOther", true, {}, {0x00, 0x01}, 0, {WM_LINK_INVALID}, 3},
        StartCase{"SecondStepDeclined", true, {}, {0x00, kD}, 1, {WM_LINK_PARTREFUSED}, 3}),
    [](const auto& info) { return std::string(info.param.name); });

struct BlockCase {
    const char* name;
    std::deque<int> replies;  // to the attempts of the first block
    quint8 ok;
    std::vector<int> outcomes;
    std::size_t blocksSent;
};

void PrintTo(const BlockCase& c, std::ostream* os) {
    *os << c.name;
}

class BlockAttempts : public ::testing::TestWithParam<BlockCase> {};

TEST_P(BlockAttempts, FollowTheRepliesToTheFirstBlock) {
    const BlockCase& c = GetParam();
    LinkHarness h;
    Script script{{}, {}, c.replies, {}, {}};
    h.transport->setResponder(script.responder());
    h.link->OutStream() = Image(400, 4);  // two blocks
    const CommandResult r = FirmwareTransfer(*h.link).WritePart(PartFrame(2, 1, 1, 0));
    EXPECT_EQ(r.ok, c.ok);
    EXPECT_EQ(h.observer.outcomes(), c.outcomes);
    const std::vector<Sent> blocks = script.blocksSent();
    ASSERT_EQ(blocks.size(), c.blocksSent);
    // Every attempt sends the same block; after a reply the next one waits 50 ms, after a
    // time-out it follows at once.
    for (std::size_t i = 1; i < blocks.size() && i < c.replies.size(); ++i) {
        if (HeaderOf(blocks[i].bytes) != HeaderOf(blocks[0].bytes)) break;
        EXPECT_EQ(blocks[i].bytes, blocks[0].bytes);
        const qint64 gap = blocks[i].at - blocks[i - 1].at;
        if (c.replies[i - 1] == kSilent) {
            EXPECT_NEAR(gap, 5000, 10) << i;
        } else {
            EXPECT_NEAR(gap, 51, 10) << i;
        }
    }
}

const int R = WM_LINK_PARTREFUSED;
const int P = WM_LINK_PROGRESS;
INSTANTIATE_TEST_SUITE_P(
    WritePart, BlockAttempts,
    ::testing::Values(
        BlockCase{"DeclinedFourTimesThenTaken",
                  {kD, kD, kD, kD, 0x00},
                  1,
                  {R, R, R, R, P, P, WM_LINK_DONE},
                  6},
        BlockCase{"DeclinedFiveTimesEndsThePart", {kD, kD, kD, kD, kD}, 1, {R, R, R, R, R}, 5},
        BlockCase{"RefusedFiveTimes", {kFF, kFF, kFF, kFF, kFF}, 0, {WM_LINK_NOREPLY}, 5},
        BlockCase{
            "AnsweredReadyFiveTimes", {0xAA, 0xAA, 0xAA, 0xAA, 0xAA}, 0, {WM_LINK_NOREPLY}, 5},
        BlockCase{"SilentFiveTimes",
                  {kSilent, kSilent, kSilent, kSilent, kSilent},
                  0,
                  {WM_LINK_TIMEOUT},
                  5},
        BlockCase{"DeclinedThenSilent",
                  {kD, kSilent, kSilent, kSilent, kSilent},
                  0,
                  {R, WM_LINK_TIMEOUT},
                  5},
        BlockCase{"DeclinedAroundSilence", {kD, kSilent, kSilent, kSilent, kD}, 1, {R, R}, 5},
        BlockCase{"TakenAfterSilenceAndRefusal", {kSilent, kFF, 0x00}, 1, {P, P, WM_LINK_DONE}, 4}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WritePart, StopBetweenBlocksIsNoSuccessAndSendsNothingMore) {
    LinkHarness h;
    h.link->OutStream() = Image(1000, 6);
    QObject::connect(h.link.get(), &TVKCOMControl::notified, [&](const LinkNotification& n) {
        if (n.message == WM_LINK_PROGRESS) h.flags.requestStop();
    });
    EXPECT_EQ(FirmwareTransfer(*h.link).WritePart(PartFrame(2, 1, 1, 0)).ok, 0);
    EXPECT_EQ(h.transport->written.size(), 2);
    EXPECT_EQ(h.observer.outcomes(), std::vector<int>{WM_LINK_PROGRESS});
}

TEST(WritePart, AFailedWriteDuringTheBlocksIsALinkError) {
    LinkHarness h;
    h.link->OutStream() = Image(1000, 7);
    QObject::connect(h.link.get(), &TVKCOMControl::notified, [&](const LinkNotification& n) {
        if (n.message == WM_LINK_PROGRESS) h.transport->failWrite = true;
    });
    EXPECT_EQ(FirmwareTransfer(*h.link).WritePart(PartFrame(2, 1, 1, 0)).ok, 0);
    EXPECT_EQ(h.observer.outcomes(), (std::vector<int>{WM_LINK_PROGRESS, WM_LINK_ERROR}));
}

TEST(WritePartStaged, MainPartStagesSendsFullBlocksAndWaitsForTheReboot) {
    LinkHarness h;
    h.sim.setRebootMs(3000);
    std::vector<Sent> sent;
    RecordWrites(h, sent);
    const QByteArray image = Image(600, 8);
    h.link->OutStream() = image;
    const CommandResult r = FirmwareTransfer(*h.link).WritePartStaged(PartFrame(1, 1, 3, 4));
    EXPECT_EQ(r.ok, 1);
    ASSERT_EQ(h.sim.firmwareParts().size(), 1u);
    EXPECT_EQ(h.sim.firmwareParts()[0].image, image);

    // Command, two staging steps 300 ms apart, three blocks, one probe.
    ASSERT_EQ(sent.size(), 7u);
    EXPECT_EQ(HeaderOf(sent[1].bytes), BuildFrame(0x20, 0x01, 0x0080));
    EXPECT_EQ(HeaderOf(sent[2].bytes), BuildFrame(0x20, 0x01, 0x0010));
    for (int i = 1; i <= 3; ++i) EXPECT_GE(sent[i].at - sent[i - 1].at, 300) << i;
    for (int i = 3; i <= 5; ++i) {
        ASSERT_EQ(sent[i].bytes.size(), 270) << i;
        EXPECT_EQ(Param(HeaderOf(sent[i].bytes), 3), 1) << i;
    }
    EXPECT_EQ(sent[5].bytes.mid(14 + 88), QByteArray(168, '\0'));
    // No reboot command: the switcher restarts by itself after the main part.
    EXPECT_EQ(HeaderOf(sent[6].bytes), BuildFrame(0x01, 0x01));
    EXPECT_GE(sent[6].at - sent[5].at, 10000);

    const auto done = std::find_if(h.observer.received.begin(), h.observer.received.end(),
                                   [](const auto& n) { return n.message == WM_LINK_DONE; });
    ASSERT_NE(done, h.observer.received.end());
    EXPECT_EQ(done->wParam, 0x0101);
    EXPECT_EQ(done->lParam, 0x0304);
    const auto status = h.observer.texts(WM_LINK_STATUS);
    ASSERT_EQ(status.size(), 1u + 100 + 1 + 1);  // pause, one pass of the probe's wait, result
    EXPECT_EQ(status[0], QStringLiteral("System rebooting, please wait .../"));
    EXPECT_EQ(status[1], QStringLiteral("System rebooting, please wait ...-"));
    EXPECT_EQ(status[2], QStringLiteral("System rebooting, please wait ...\\"));
    EXPECT_EQ(status[3], QStringLiteral("System rebooting, please wait ...|"));
    EXPECT_EQ(status.back(), QStringLiteral("System reboot ok"));
    EXPECT_EQ(LParams(h.observer, WM_LINK_STATUS).back(), 0);

    const CommandResult version = h.link->Transact(BuildFrame(0x01, 0x03, 0xFE));
    EXPECT_EQ(version.reply[4], 3);
    EXPECT_EQ(version.reply[6], 4);
}

TEST(WritePartStaged, ADeclinedLastBlockSkipsTheRebootWait) {
    LinkHarness h;
    h.sim.injectFirmwareFault(
        {sim::FirmwareFaultKind::Decline, sim::FirmwareStep::Block, 0, 1, 1, -1});
    h.link->OutStream() = Image(100, 9);
    const CommandResult r = FirmwareTransfer(*h.link).WritePartStaged(PartFrame(1, 1, 3, 4));
    EXPECT_EQ(r.ok, 1);
    EXPECT_EQ(h.observer.outcomes(), std::vector<int>(5, WM_LINK_PARTREFUSED));
    EXPECT_TRUE(h.sim.firmwareParts().empty());
}

struct RebootCase {
    const char* name;
    std::deque<int> probes;
    quint8 ok;
    std::size_t probesSent;
    std::vector<int> outcomes;  // without the spinner
    QString lastStatus;         // empty: not checked
};

void PrintTo(const RebootCase& c, std::ostream* os) {
    *os << c.name;
}

class RebootProbes : public ::testing::TestWithParam<RebootCase> {};

TEST_P(RebootProbes, EndAsTheSwitcherAnswers) {
    const RebootCase& c = GetParam();
    LinkHarness h;
    Script script{{}, {}, {}, c.probes, {}};
    h.transport->setResponder(script.responder());
    const CommandResult r = FirmwareTransfer(*h.link).RebootWait();
    EXPECT_EQ(r.ok, c.ok);
    ASSERT_EQ(script.sent.size(), c.probesSent);
    EXPECT_GE(script.sent[0].at, 10000);
    for (const Sent& s : script.sent) EXPECT_EQ(HeaderOf(s.bytes), BuildFrame(0x01, 0x01));
    std::vector<int> outcomes;
    for (const auto& n : h.observer.received) {
        if (n.message == WM_LINK_STATUS && n.lParam == 1) continue;
        if (n.message == WM_LINK_STATUS || n.message == WM_LINK_TIMEOUT)
            outcomes.push_back(n.message);
    }
    EXPECT_EQ(outcomes, c.outcomes);
    if (!c.lastStatus.isEmpty()) {
        EXPECT_EQ(h.observer.texts(WM_LINK_STATUS).back(), c.lastStatus);
    }
}

const int S = WM_LINK_STATUS;
INSTANTIATE_TEST_SUITE_P(
    RebootWait, RebootProbes,
    ::testing::Values(
        RebootCase{"FirstProbeAnswered", {0x01}, 1, 1, {S}, "System reboot ok"},
        RebootCase{"FourthProbeAnswered",
                   {kSilent, kSilent, kSilent, 0x01},
                   1,
                   4,
                   {S},
                   "System reboot ok"},
        RebootCase{
            "FourRefusalsThenSilence", {kFF, kFF, kFF, kFF, kSilent}, 0, 5, {WM_LINK_TIMEOUT}, ""},
        RebootCase{"TenRefusals", std::deque<int>(10, kFF), 0, 10, {S}, "System reboot failed"},
        RebootCase{"SilenceAfterTheFifthGoesOn",
                   {kFF, kFF, kFF, kFF, kFF, kSilent, kSilent, kSilent, kSilent, 0x01},
                   1,
                   10,
                   {S},
                   "System reboot ok"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RebootWait, TheSimulatorSilentForTwelveSecondsAnswersTheSecondProbe) {
    LinkHarness h;
    h.sim.setRebootMs(12000);
    ASSERT_EQ(h.link->Transact(BuildFrame(0x80, 0x02, 0x0F)).ok, 1);
    const qint64 start = h.clock.nowMs();
    EXPECT_EQ(FirmwareTransfer(*h.link).RebootWait().ok, 1);
    EXPECT_EQ(h.transport->written.size(), 3);
    EXPECT_GE(h.clock.nowMs() - start, 15000);
    EXPECT_LT(h.clock.nowMs() - start, 15500);
}

TEST(RebootWait, StopEndsItWithoutSuccessOrNotification) {
    for (const bool atEntry : {true, false}) {
        LinkHarness h;
        if (atEntry) h.flags.requestStop();
        h.pump->onTick = [&] {
            if (h.clock.nowMs() > 3000) h.flags.requestStop();
        };
        EXPECT_EQ(FirmwareTransfer(*h.link).RebootWait().ok, 0) << atEntry;
        EXPECT_TRUE(h.transport->written.isEmpty()) << atEntry;
        EXPECT_TRUE(Without(h.observer.outcomes(), WM_LINK_STATUS).empty()) << atEntry;
        EXPECT_LT(h.clock.nowMs(), 3200) << atEntry;
    }
}

TEST(RebootWait, ALineThatGoesAwayDuringThePauseIsALinkErrorAtOnce) {
    LinkHarness h;
    h.pump->onTick = [&] {
        if (h.clock.nowMs() > 2000 && h.transport->isOpen()) h.transport->close();
    };
    EXPECT_EQ(FirmwareTransfer(*h.link).RebootWait().ok, 0);
    EXPECT_EQ(Without(h.observer.outcomes(), WM_LINK_STATUS), std::vector<int>{WM_LINK_ERROR});
    EXPECT_LT(h.clock.nowMs(), 2200);
}

}  // namespace

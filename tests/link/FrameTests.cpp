#include <gtest/gtest.h>

#include "link/Frame.h"
#include "link/LinkLog.h"

using namespace devlink;

namespace {

Frame Bytes12(std::initializer_list<int> bytes) {
    Frame f{};
    int i = 0;
    for (int b : bytes) f[i++] = static_cast<quint8>(b);
    return f;
}

struct ChecksumCase {
    Frame frame;
    quint8 checksum;
};

TEST(FrameChecksum, MatchesKnownFrames) {
    const ChecksumCase cases[] = {
        {Bytes12({0xA5, 0x5B, 0x01, 0x01, 0xFE, 0, 0, 0, 0, 0, 0, 0}), 0x00},
        {Bytes12({0xA5, 0x5B, 0x01, 0x01, 0, 0, 0, 0, 0, 0, 0, 0}), 0xFE},
        {Bytes12({0xA5, 0x5B, 0x02, 0x03, 0x02, 0, 0x05, 0, 0, 0, 0, 0}), 0xF4},
        {Bytes12({0xA5, 0x5B, 0x10, 0x01, 0xFE, 0, 0, 0, 0x2D, 0xD2, 0xD3, 0x2E}), 0xF1},
        // Twelve bytes summing to 0x200 wrap to 0.
        {Bytes12({0x80, 0x80, 0x80, 0x80, 0, 0, 0, 0, 0, 0, 0, 0}), 0x00},
    };
    for (const auto& c : cases) EXPECT_EQ(FrameChecksum(c.frame), c.checksum);
}

TEST(FrameBuild, PlacesLittleEndianParametersAndChecksum) {
    const Frame f = BuildFrame(0x10, 0x01, 0xFE, 0, 0xD22D, 0x2ED3);
    const Frame expected = {0xA5, 0x5B, 0x10, 0x01, 0xFE, 0x00, 0x00,
                            0x00, 0x2D, 0xD2, 0xD3, 0x2E, 0xF1};
    EXPECT_EQ(f, expected);
    EXPECT_EQ(Param(f, 3), 0xD22D);

    const Frame zeros = BuildFrame(0x01, 0x01);
    EXPECT_EQ(zeros[0], 0xA5);
    EXPECT_EQ(zeros[1], 0x5B);
    EXPECT_EQ(zeros[12], 0xFE);
}

TEST(DataChecksum, IsNegatedSumOfPayloadOnly) {
    const std::array<quint8, 3> payload = {0x01, 0x02, 0x03};
    EXPECT_EQ(DataChecksum(payload), 0xFA);
    EXPECT_EQ(DataChecksum(std::span<const quint8>()), 0x00);
}

struct AcceptCase {
    const char* what;
    Frame reply;
    bool accepted;
};

TEST(ReplyAcceptance, AppliesTheThreeTestsInOrder) {
    const Frame request = BuildFrame(0x02, 0x03, 5, 3);
    Frame badChecksum = BuildFrame(0x02, 0x03, 0x00, 5);
    badChecksum[12] ^= 0x01;
    Frame badLead = BuildFrame(0x02, 0x03);
    badLead[1] = 0x5C;
    Seal(badLead);
    const AcceptCase cases[] = {
        {"plain accepted reply", BuildFrame(0x02, 0x03, 0x00, 5), true},
        {"any status other than 0xFF is accepted", BuildFrame(0x02, 0x03, 0x44, 5), true},
        {"refused", BuildFrame(0x02, 0x03, 0xFF, 5), false},
        {"refused with a broken checksum",
         [] {
             Frame f = BuildFrame(0x02, 0x03, 0xFF);
             f[12] = 0;
             return f;
         }(),
         false},
        {"checksum wrong", badChecksum, false},
        {"right checksum, other group", BuildFrame(0x03, 0x03, 0x00), false},
        {"right checksum, other code", BuildFrame(0x02, 0x01, 0x00), false},
        {"right checksum, wrong lead byte", badLead, false},
        {"parameters are not compared", BuildFrame(0x02, 0x03, 0x01, 0x99, 0x1234, 0x5678), true},
    };
    for (const auto& c : cases) EXPECT_EQ(ReplyAccepted(c.reply, request), c.accepted) << c.what;
}

TEST(FrameLog, FormatsLabelBytesAndNumber) {
    const Frame reply = {0xA5, 0x5B, 0x01, 0x01, 0x00, 0x00, 0x06,
                         0x00, 0x00, 0x00, 0x00, 0x00, 0xFE};
    EXPECT_EQ(FormatFrameLog(QStringLiteral("rcv cmd PPP:   "), reply, 0),
              QStringLiteral(
                  "rcv cmd PPP:   \r\nA5 5B 01 01 [00 UU 00] [06 00] [00 00] [00 00] FE, RC=0"));
    EXPECT_TRUE(
        FormatFrameLog(QStringLiteral("x"), reply, 8888).endsWith(QStringLiteral("RC=8888")));
}

QString Hex(int byte) {
    return QStringLiteral("0x%1, ")
        .arg(byte, 2, 16, QLatin1Char('0'))
        .toUpper()
        .replace(u'X', u'x');
}

TEST(HexDump, WrapsEverySixteenBytesBetweenStarLines) {
    std::array<quint8, 17> bytes{};
    QString firstLine;
    for (int i = 0; i < 17; ++i) bytes[i] = static_cast<quint8>(0xF0 + i % 16);
    for (int i = 0; i < 16; ++i) firstLine += Hex(0xF0 + i);
    const QString stars(48, u'*');
    EXPECT_EQ(FormatReceivedDump(bytes),
              stars + "\r\n" + firstLine + "\r\n0xF0, \r\n" + stars + "\r\n");
    EXPECT_EQ(FormatReceivedDump({}), stars + "\r\n\r\n" + stars + "\r\n");
}

TEST(SentDataLog, MarksParameterBoundaries) {
    const Frame f = BuildFrame(0x03, 0x07, 0x56, 1);
    std::array<quint8, 15> block{};
    std::copy(f.begin(), f.end(), block.begin());
    block[13] = 0x11;
    block[14] = 0xEF;
    EXPECT_EQ(FormatSentData(QStringLiteral("send data:\r\n"), block),
              QStringLiteral("send data:\r\n0xA5, 0x5B, 0x03, 0x07, |0x56, 0x00, |0x01, 0x00, "
                             "|0x00, 0x00, |0x00, 0x00, |") +
                  Hex(f[12]) + QStringLiteral("0x11, 0xEF, "));
}

}  // namespace

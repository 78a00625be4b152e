// The module's packet formats and the choice of the PC's own addresses, as plain functions.
#include <gtest/gtest.h>

#include "lan/HostNetwork.h"
#include "lan/ModuleRecords.h"
#include "support/CaseName.h"
#include "support/ModuleBytes.h"

using namespace lan;
using testing_support::SearchRecord;

namespace {

struct ReplyCase {
    const char* name;
    QByteArray datagram;
    std::vector<QString> names;  // of the modules listed, in order
};

class SearchReplies : public ::testing::TestWithParam<ReplyCase> {};

TEST_P(SearchReplies, ListOnlyWellFormedRecords) {
    const auto modules = ParseSearchReply(GetParam().datagram);
    std::vector<QString> names;
    for (const auto& m : modules) names.push_back(m[kFieldName]);
    EXPECT_EQ(names, GetParam().names);
}

const QByteArray kName32(32, 'T');

INSTANTIATE_TEST_SUITE_P(
    Datagrams, SearchReplies,
    ::testing::Values(
        ReplyCase{"one", SearchRecord(1, "HALL"), {"HALL"}},
        ReplyCase{"two in one datagram", SearchRecord(1, "A") + SearchRecord(2, "B"), {"A", "B"}},
        ReplyCase{"54 bytes", SearchRecord(1, "A").left(54), {}},
        ReplyCase{"56 bytes", SearchRecord(1, "A") + '\0', {}},
        ReplyCase{"empty", QByteArray(), {}},
        ReplyCase{
            "32 characters, no zero byte", SearchRecord(1, kName32, 0x41), {QString(kName32)}},
        // Device entries are read from their end, so a bracket in a name cannot split them.
        ReplyCase{
            "bracket in a name", SearchRecord(1, "A]-[B") + SearchRecord(2, "C"), {"A]-[B", "C"}},
        ReplyCase{"control character in a name", SearchRecord(1, "A\nB"), {}},
        ReplyCase{"C1 control character in a name", SearchRecord(1, "A\x85Z"), {}},
        ReplyCase{"Latin-1 letter in a name", SearchRecord(1, "Caf\xE9"), {"Caf\u00E9"}}),
    testing_support::CaseNamer([](const ReplyCase& c) { return c.name; }));

TEST(SearchReply, FieldsInTheirTextForm) {
    const auto modules = ParseSearchReply(SearchRecord(0xEF, "Stage\xE9", 7));
    ASSERT_EQ(modules.size(), 1u);
    const FoundModule expected = {"00-1A-2B-3C-4D-EF",
                                  "192.168.1.50",
                                  "192.168.1.1",
                                  "255.255.255.0",
                                  "8000",
                                  "60000",
                                  QStringLiteral("Stage\u00E9"),
                                  "7"};
    EXPECT_EQ(modules[0], expected);
}

TEST(MacText, ReadsOnlySixTwoDigitHexNumbers) {
    EXPECT_EQ(ParseMacText("00-1A-2b-3C-4D-FF"), (MacAddress{0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0xFF}));
    for (const char* bad : {"00-1A-2B-3C-4D", "00-1A-2B-3C-4D-5G", "00-1A-2B-3C-4D-5", ""})
        EXPECT_FALSE(ParseMacText(bad)) << bad;
}

struct RecordCase {
    const char* name;
    ModuleSettings settings;
    // Bytes 6 to 18 and 25, then the checksum.
    std::array<quint8, 13> addressBytes;
    quint8 flags;
};

class ConfigRecords : public ::testing::TestWithParam<RecordCase> {};

TEST_P(ConfigRecords, CarryTheSettings) {
    const auto& c = GetParam();
    const ConfigRecord r = BuildConfigRecord(c.settings);
    EXPECT_TRUE(std::equal(r.begin(), r.begin() + 6, c.settings.mac.begin()));
    EXPECT_TRUE(std::equal(r.begin() + 6, r.begin() + 19, c.addressBytes.begin()));
    EXPECT_EQ(r[25], c.flags);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(r.data()) + 42, 4), "Hall");
    EXPECT_EQ(r[46], 0);
    EXPECT_TRUE(std::all_of(r.begin() + 19, r.begin() + 25, [](quint8 b) { return b == 0; }));
    EXPECT_TRUE(std::all_of(r.begin() + 26, r.begin() + 42, [](quint8 b) { return b == 0; }));
    EXPECT_EQ(r[74], 0);
    EXPECT_EQ(r[75], ByteSum(std::span(r).first(75)));
}

const MacAddress kMac = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};

INSTANTIATE_TEST_SUITE_P(
    Settings, ConfigRecords,
    ::testing::Values(RecordCase{"static",
                                 {kMac, "Hall", true, false, {10, 1, 2, 3}},
                                 {10, 1, 2, 3, 10, 1, 2, 1, 255, 255, 255, 0, 0},
                                 0x15},
                      RecordCase{"dhcp",
                                 {kMac, "Hall", true, true, {10, 1, 2, 3}},
                                 {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1},
                                 0x14},
                      RecordCase{
                          "cross subnet", {kMac, "Hall", false, false, {10, 1, 2, 3}}, {}, 0x14}),
    testing_support::CaseNamer([](const RecordCase& c) { return c.name; }));

TEST(ConfigRecord, TagFillsAtMost32Bytes) {
    const ConfigRecord r = BuildConfigRecord({kMac, QString(40, u'x'), false, false, {}});
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(r.data()) + 42, 32), QByteArray(32, 'x'));
    EXPECT_EQ(r[74], 0);
}

TEST(ConfigRecord, RequestCarriesStatusFFInItsChecksum) {
    const ConfigRecord request =
        SealConfigRequest(BuildConfigRecord({kMac, "Hall", true, true, {}}));
    EXPECT_EQ(request[74], 0xFF);
    EXPECT_EQ(request[75], ByteSum(std::span(request).first(75)));
}

TEST(ConfigRecord, StatusJudgement) {
    const std::vector<std::pair<quint8, int>> cases = {{0x00, 0}, {0x20, 2}, {0x30, 2},
                                                       {0x10, 1}, {0x01, 1}, {0x80, 1}};
    for (const auto& [status, result] : cases)
        EXPECT_EQ(JudgeConfigStatus(status), result) << int(status);
}

TEST(Ldcd, ResetRequestOnTheWire) {
    const LdcdPacket p = SealLdcdRequest(LdcdResetRequest());
    const LdcdPacket expected = {0x5A, 0x3C, 0x91, 0x07, 0xE2, 0x4B, 0x6D, 0x18, 0xA9, 0xF0, 0x33,
                                 0xC5, 0x7E, 0x02, 0xB8, 0x64, 0xFF, 0x00, 0x00, 0x00, 0xC0, 0xA8,
                                 0x00, 0x64, 0,    0,    0,    0,    0,    0,    0xFF, 0x00};
    EXPECT_TRUE(std::equal(p.begin(), p.begin() + 31, expected.begin()));
    EXPECT_EQ(p[31], ByteSum(std::span(p).first(31)));
}

LdcdPacket Answer(std::function<void(LdcdPacket&)> spoil) {
    LdcdPacket p = SealLdcdRequest(LdcdQueryRequest());
    p[17] = 2;
    p[30] = 0;
    spoil(p);
    p[31] = ByteSum(std::span(p).first(31));
    return p;
}

TEST(Ldcd, AnswerNeedsStatusChecksumAndSignature) {
    EXPECT_TRUE(LdcdAnswerGood(Answer([](LdcdPacket&) {})));
    EXPECT_FALSE(LdcdAnswerGood(Answer([](LdcdPacket& p) { p[30] = 0xFF; })));
    EXPECT_FALSE(LdcdAnswerGood(Answer([](LdcdPacket& p) { p[0] = 0xA5; })));
    LdcdPacket badSum = Answer([](LdcdPacket&) {});
    ++badSum[31];
    EXPECT_FALSE(LdcdAnswerGood(badSum));
    EXPECT_FALSE(LdcdChecksumRight(badSum));
}

TEST(Ldcd, LogText) {
    LdcdPacket p = SealLdcdRequest(LdcdResetRequest());
    EXPECT_EQ(FormatLdcdLog("rcv LDCD:   ", p),
              "rcv LDCD:   \r\nheader:5A 3C 91 07 E2 4B 6D 18 A9 F0 33 C5 7E 02 B8 64 "
              "\r\ncommand:FF\r\nparam1:00; param2:00\r\nDHCP:00\r\nIPAddr:C0 A8 00 64"
              "\r\nReveiveOK:FF\r\nCheckSum:" +
                  QStringLiteral("%1").arg(p[31], 2, 16, QLatin1Char('0')).toUpper() +
                  "\r\n///////////////////////////////////////");
}

TEST(HostAddresses, OwnAddressIsTheFirstOutwardInterface) {
    HostNetwork n{{{"127.0.0.1", "", true, true},
                   {"172.16.0.9", "172.16.0.255", false, false},
                   {"192.168.1.10", "192.168.1.255", true, false},
                   {"10.0.0.5", "10.0.0.255", true, false},
                   {"10.0.0.6", "10.0.0.255", true, false}},
                  "127.0.1.1"};
    EXPECT_EQ(LocalAddressOf(n), "192.168.1.10");
    EXPECT_EQ(DirectedBroadcasts(n), (std::vector<QString>{"192.168.1.255", "10.0.0.255"}));
    for (const char* own : {"127.0.0.1", "127.0.1.1", "10.0.0.6", "172.16.0.9"})
        EXPECT_TRUE(IsOwnAddress(n, own)) << own;
    EXPECT_FALSE(IsOwnAddress(n, "192.168.1.50"));

    const HostNetwork loopbackOnly{{{"127.0.0.1", "", true, true}}, "127.0.1.1"};
    EXPECT_EQ(LocalAddressOf(loopbackOnly), "127.0.1.1");
    EXPECT_TRUE(DirectedBroadcasts(loopbackOnly).empty());
}

}  // namespace

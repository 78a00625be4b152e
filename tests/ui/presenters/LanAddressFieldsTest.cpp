#include <gtest/gtest.h>

#include <QStringList>

#include "ui/presenters/lan/LanAddressFields.h"

namespace ui {
namespace {

struct IpCase {
    const char* name;
    const char* text;
    int field;
    const char* normalised;
};

void PrintTo(const IpCase& c, std::ostream* os) {
    *os << c.name;
}

class IpFieldTest : public ::testing::TestWithParam<IpCase> {};

TEST_P(IpFieldTest, IsNormalised) {
    EXPECT_EQ(normalisedIpField(QString::fromLatin1(GetParam().text), GetParam().field),
              QString::fromLatin1(GetParam().normalised));
}

INSTANTIATE_TEST_SUITE_P(
    LanDialog, IpFieldTest,
    ::testing::Values(IpCase{"LastEmpty", "", 4, "2"}, IpCase{"LastZero", "0", 4, "2"},
                      IpCase{"LastOne", "1", 4, "2"}, IpCase{"LastThree", "3", 4, "3"},
                      IpCase{"Last251", "251", 4, "251"}, IpCase{"Last252", "252", 4, "252"},
                      IpCase{"Last255", "255", 4, "252"}, IpCase{"FirstEmpty", "", 1, "0"},
                      IpCase{"First999", "999", 1, "255"}, IpCase{"Second255", "255", 2, "255"},
                      IpCase{"Third254", "254", 3, "254"}, IpCase{"LeadingZeros", "007", 1, "7"},
                      IpCase{"LeadingZeroNotOctal", "010", 2, "10"},
                      IpCase{"NegativePasted", "-5", 3, "0"}, IpCase{"LettersPasted", "ab", 1, "0"},
                      IpCase{"LettersPastedInLast", "ab", 4, "2"}),
    [](const auto& info) { return std::string(info.param.name); });

struct MacCase {
    const char* name;
    const char* text;
    const char* parsed;  // joined by "-"; empty when the text is refused
};

void PrintTo(const MacCase& c, std::ostream* os) {
    *os << c.name;
}

class MacTextTest : public ::testing::TestWithParam<MacCase> {};

TEST_P(MacTextTest, ParsesIntoSixBytes) {
    const std::optional<MacBytes> mac = parseMacText(QString::fromLatin1(GetParam().text));
    const QString joined =
        mac ? QStringList(mac->begin(), mac->end()).join(u'-') : QStringLiteral("");
    EXPECT_EQ(joined, QString::fromLatin1(GetParam().parsed));
}

INSTANTIATE_TEST_SUITE_P(
    LanDialog, MacTextTest,
    ::testing::Values(MacCase{"Plain", "00-1A-22-33-44-55", "00-1A-22-33-44-55"},
                      MacCase{"LowerCaseOneDigit", "a-b-c-d-e-f", "0A-0B-0C-0D-0E-0F"},
                      MacCase{"BlanksAround", " 2-3-4-5-6-7 ", "02-03-04-05-06-07"},
                      MacCase{"AllEmpty", "-----", "00-00-00-00-00-00"},
                      MacCase{"LongPartKeepsFirstTwo", "123-4-5-6-7-8", "12-04-05-06-07-08"},
                      MacCase{"FiveParts", "00-11-22-33-44", ""},
                      MacCase{"SevenParts", "00-11-22-33-44-55-66", ""},
                      MacCase{"NotHex", "0G-11-22-33-44-55", ""},
                      MacCase{"Colons", "00:11:22:33:44:55", ""},
                      MacCase{"BlankInside", "00-1 -22-33-44-55", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MacBytes, GroupAddressIsBitZeroOfTheFirstByte) {
    const auto first = [](const char* byte) {
        return MacBytes{QString::fromLatin1(byte), "00", "00", "00", "00", "00"};
    };
    EXPECT_TRUE(isGroupAddress(first("01")));
    EXPECT_TRUE(isGroupAddress(first("FF")));
    EXPECT_FALSE(isGroupAddress(first("FE")));
    EXPECT_FALSE(isGroupAddress(first("00")));
    EXPECT_EQ(hexByte(0), "00");
    EXPECT_EQ(hexByte(0x0A), "0A");
    EXPECT_EQ(hexByte(0xFF), "FF");
}

}  // namespace
}  // namespace ui

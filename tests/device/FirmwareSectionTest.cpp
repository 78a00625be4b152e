#include <gtest/gtest.h>

#include "firmware/FirmwareMerge.h"
#include "firmware/FirmwareSection.h"

namespace {

using namespace device;

QByteArray Bytes(const SectionHeader& header) {
    return {reinterpret_cast<const char*>(header.data()), kSectionHeaderSize};
}

TEST(SectionHeader, MainMcuVersion12Of1000BytesByteForByte) {
    const SectionHeader header = BuildSectionHeader(FieldsOf(Mcu::Main, 1, 2), 1000);
    const QByteArray bytes = Bytes(header);
    EXPECT_EQ(bytes.left(64),
              QByteArray("DON'T MODIFY THIS FILE MANNUALLY!") + QByteArray(31, '\0'));
    EXPECT_EQ(bytes.mid(64, 64), QByteArray("FIRMWARE FOR Vorpanix") + QByteArray(43, '\0'));
    EXPECT_EQ(bytes.mid(128, 14).toHex(), "20010100000001000200e8030000");
    unsigned sum = 0;
    for (const quint8 b : header) sum += b;
    EXPECT_EQ(sum % 256, 0u);
    EXPECT_TRUE(SectionHeaderChecks(header));
    EXPECT_EQ(PartFieldsOf(header), FieldsOf(Mcu::Main, 1, 2));
    EXPECT_EQ(ImageSizeOf(header), 1000u);
}

TEST(SectionHeader, FlippingAnyOneByteFailsTheCheck) {
    const SectionHeader good = BuildSectionHeader(FieldsOf(Mcu::Slave3, 2, 0), 70000);
    for (int i = 0; i < kSectionHeaderSize; ++i) {
        for (const quint8 mask : {0x01, 0x80, 0xFF}) {
            SectionHeader bad = good;
            bad[i] ^= mask;
            EXPECT_FALSE(SectionHeaderChecks(bad)) << "byte " << i << " mask " << int(mask);
        }
    }
}

TEST(SectionHeader, FieldsBecomeThePartsCommandFrame) {
    const PartFields fields = FieldsOf(Mcu::Slave2, 7, 255);
    EXPECT_EQ(fields, (PartFields{0x20, 0x02, 2, 0, 7, 255}));
    const devlink::Frame frame = PartFrameOf(fields);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(frame.data()), 13).toHex(),
              "a55b2002020000000700ff00d6");
}

TEST(PartLabel, NamesCodeMcuAndVersionButNotP2) {
    EXPECT_EQ(PartLabel(FieldsOf(Mcu::Main, 1, 2)), QStringLiteral("Part_1.1.1.2"));
    EXPECT_EQ(PartLabel(FieldsOf(Mcu::Slave3, 2, 0)), QStringLiteral("Part_2.3.2.0"));
    EXPECT_EQ(PartLabel({0x20, 0x02, 300, 0xFFFF, 1000, 9}), QStringLiteral("Part_2.300.1000.9"));
}

TEST(FirmwareKey, KnownScrambledBytes) {
    // Key characters '7' (0x37) at 0, 'C' (0x43) at 1, '5' (0x35) at 31, and '7' again at 32.
    QByteArray image(33, '\0');
    image[1] = char(0xFF);
    image[31] = char(0x35);
    const QByteArray s = ScrambleImage(image);
    EXPECT_EQ(quint8(s[0]), 0x6E);   // (0x00 ^ 0x37) + 0x37
    EXPECT_EQ(quint8(s[1]), 0xFF);   // (0xFF ^ 0x43) + 0x43 = 0x1FF
    EXPECT_EQ(quint8(s[31]), 0x35);  // (0x35 ^ 0x35) + 0x35
    EXPECT_EQ(quint8(s[32]), 0x6E);
}

TEST(FirmwareKey, UnscrambleUndoesScrambleForEveryValueAtEveryKeyPosition) {
    // Each value fills 32 bytes in a row, one under each key character.
    QByteArray image(256 * 32, '\0');
    for (int i = 0; i < image.size(); ++i) image[i] = char(i / 32);
    const QByteArray scrambled = ScrambleImage(image);
    EXPECT_NE(scrambled, image);
    EXPECT_EQ(UnscrambleImage(scrambled), image);
}

struct VersionCase {
    const char* name;
    QString text;
    quint8 value;
};

void PrintTo(const VersionCase& c, std::ostream* os) {
    *os << c.name;
}

class NormaliseVersionTest : public ::testing::TestWithParam<VersionCase> {};

TEST_P(NormaliseVersionTest, GivesTheValueAndShowsItInDecimal) {
    QString text = GetParam().text;
    EXPECT_EQ(NormaliseVersion(text), GetParam().value);
    EXPECT_EQ(text, QString::number(GetParam().value));
}

INSTANTIATE_TEST_SUITE_P(
    Merge, NormaliseVersionTest,
    ::testing::Values(VersionCase{"Empty", "", 0}, VersionCase{"Seven", "7", 7},
                      VersionCase{"LeadingZero", "012", 12}, VersionCase{"Largest", "255", 255},
                      VersionCase{"TooLarge", "256", 255}, VersionCase{"ThreeHundred", "300", 255},
                      VersionCase{"FourDigitsCut", "1234", 123},
                      VersionCase{"CutThenTooLarge", "9999", 255},
                      VersionCase{"NoNumber", "abc", 0},
                      VersionCase{"NumberAfterTheCut", "ab12", 0},
                      VersionCase{"Negative", "-5", 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Merge, TrimsSpacesAndControlCharactersOnly) {
    EXPECT_EQ(TrimControlAndSpace(QStringLiteral(" \t\x01/fw/main image.bin\r\n ")),
              QStringLiteral("/fw/main image.bin"));
    EXPECT_EQ(TrimControlAndSpace(QStringLiteral("\x7F"
                                                 "a\xA0")),
              QStringLiteral("\x7F"
                             "a\xA0"));
    EXPECT_EQ(TrimControlAndSpace(QStringLiteral(" \x1F ")), QString());
}

}  // namespace

#include <gtest/gtest.h>

#include <random>

#include "EdidBuilder.h"
#include "device/EdidDecoder.h"

namespace {

using device_test::DetailedTiming;
using device_test::EdidBuilder;

// Readable failures: QString prints as raw code units.
std::string summaryText(const QByteArray& edid) {
    const std::optional<QString> summary = device::edidSummary(edid);
    return summary ? summary->toStdString() : "<refused>";
}

struct DecodeCase {
    const char* name;
    QByteArray edid;
    std::string expected;
};

TEST(EdidDecoder, RealWorldShapedImages) {
    const DecodeCase cases[] = {
        {"office monitor, EDID 1.3",
         EdidBuilder()
             .manufacturer("DEL")
             .product(0xA0B1)
             .serial(12345)
             .made(12, 2019)
             .version(1, 3)
             .preferredTiming({14850, 1920, 280, 1080, 45, false})
             .monitorName("DELL P2419H")
             .build(),
         R"(DEL 0xA0B1  serial 12345  week 12/2019  EDID 1.3  1920x1080 @ 60 Hz  "DELL P2419H")"},
        {"television with 1080i preferred, no serial, week unknown",
         EdidBuilder()
             .manufacturer("SNY")
             .product(0x0C01)
             .made(0, 2015)
             .preferredTiming({7425, 1920, 280, 540, 22, true})
             .monitorName("SONY TV")
             .build(),
         R"(SNY 0x0C01  year 2015  EDID 1.3  1920x1080i @ 60 Hz  "SONY TV")"},
        {"4K panel, EDID 1.4 model year",
         EdidBuilder()
             .manufacturer("SAM")
             .product(0x7F0B)
             .serial(0x01000E00)
             .made(0xFF, 2021)
             .version(1, 4)
             .preferredTiming({29700, 3840, 560, 2160, 90, false})
             .monitorName("SAMSUNG")
             .build(),
         R"(SAM 0x7F0B  serial 16780800  model year 2021  EDID 1.4  3840x2160 @ 30 Hz  "SAMSUNG")"},
        {"projector at 59.94 Hz without a name",
         EdidBuilder()
             .manufacturer("EPS")
             .product(0x0A2C)
             .made(48, 2012)
             .preferredTiming({7418, 1280, 370, 720, 30, false})
             .build(),
         "EPS 0x0A2C  week 48/2012  EDID 1.3  1280x720 @ 59.94 Hz"},
        {"XGA at 75 Hz", EdidBuilder().preferredTiming({7875, 1024, 288, 768, 32, false}).build(),
         "GCT 0x0001  week 1/2020  EDID 1.3  1024x768 @ 75.03 Hz"},
    };
    for (const DecodeCase& c : cases) {
        EXPECT_EQ(summaryText(c.edid), c.expected) << c.name;
    }
}

TEST(EdidDecoder, OddDescriptorsAndFields) {
    const DecodeCase cases[] = {
        {"first descriptor is not a timing", EdidBuilder().noPreferredTiming().build(),
         "GCT 0x0001  week 1/2020  EDID 1.3  no preferred timing"},
        {"zero totals give no rate",
         EdidBuilder().preferredTiming({100, 0, 0, 0, 0, false}).build(),
         "GCT 0x0001  week 1/2020  EDID 1.3  0x0"},
        {"largest fields",
         EdidBuilder().preferredTiming({65535, 4095, 4095, 4095, 4095, true}).build(),
         "GCT 0x0001  week 1/2020  EDID 1.3  4095x8190i @ 9.77 Hz"},
        {"13-letter name without line feed", EdidBuilder().monitorName("ABCDEFGHIJKLM").build(),
         R"(GCT 0x0001  week 1/2020  EDID 1.3  1920x1080 @ 60 Hz  "ABCDEFGHIJKLM")"},
        {"unprintable name bytes", EdidBuilder().monitorName("TV\x01\xFF\"").build(),
         R"(GCT 0x0001  week 1/2020  EDID 1.3  1920x1080 @ 60 Hz  "TV??"")"},
        {"blank name left out", EdidBuilder().monitorName("   ").build(),
         "GCT 0x0001  week 1/2020  EDID 1.3  1920x1080 @ 60 Hz"},
        {"letters outside A..Z", EdidBuilder().manufacturer("@@@").build(),
         "??? 0x0001  week 1/2020  EDID 1.3  1920x1080 @ 60 Hz"},
    };
    for (const DecodeCase& c : cases) {
        EXPECT_EQ(summaryText(c.edid), c.expected) << c.name;
    }
}

TEST(EdidDecoder, OnlyCheckedImagesAreDecoded) {
    const QByteArray edid = EdidBuilder().build();
    EXPECT_EQ(device::edidSummary(edid + char(0x33)), device::edidSummary(edid));
    EXPECT_EQ(device::edidSummary(edid.left(128)), std::nullopt);
    EXPECT_EQ(device::edidSummary({}), std::nullopt);
    QByteArray broken = edid;
    broken[20] = char(quint8(broken[20]) + 1);
    EXPECT_EQ(device::edidSummary(broken), std::nullopt);
}

// Hostile bytes behind a good header and checksum still decode to one line.
TEST(EdidDecoder, RandomCheckedImagesDecode) {
    std::mt19937 random(7);
    for (int round = 0; round < 500; ++round) {
        QByteArray edid(256, '\0');
        for (char& byte : edid) {
            byte = char(random());
        }
        edid.replace(0, 8, QByteArray::fromHex("00FFFFFFFFFFFF00"));
        device_test::resealEdid(edid);
        const std::optional<QString> summary = device::edidSummary(edid);
        ASSERT_TRUE(summary.has_value()) << round;
        EXPECT_FALSE(summary->contains(u'\n')) << round;
    }
}

}  // namespace

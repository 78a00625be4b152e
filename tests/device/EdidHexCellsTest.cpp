#include <gtest/gtest.h>

#include "EdidBuilder.h"
#include "device/EdidHexCells.h"

namespace {

QByteArray countingBytes() {
    QByteArray bytes(256, '\0');
    for (int i = 0; i < bytes.size(); ++i) {
        bytes[i] = char(i);
    }
    return bytes;
}

TEST(EdidHexCells, TwoUpperCaseDigitsPerByte) {
    const QStringList cells = device::edidToHexCells(countingBytes());
    ASSERT_EQ(cells.size(), 256);
    EXPECT_EQ(cells[0x00], "00");
    EXPECT_EQ(cells[0x0A], "0A");
    EXPECT_EQ(cells[0x10], "10");
    EXPECT_EQ(cells[0xBE], "BE");
    EXPECT_EQ(cells[0xFF], "FF");
}

TEST(EdidHexCells, TrailerByteIsNotShown) {
    const QByteArray edid = device_test::EdidBuilder().build();
    EXPECT_EQ(device::edidToHexCells(edid + char(0x77)), device::edidToHexCells(edid));
}

TEST(EdidHexCells, RoundTrip) {
    const QByteArray edid = device_test::EdidBuilder().serial(987654).build();
    EXPECT_EQ(device::hexCellsToEdid(device::edidToHexCells(edid)), edid);
    EXPECT_EQ(device::hexCellsToEdid(device::edidToHexCells(countingBytes())), countingBytes());
}

TEST(EdidHexCells, IncompleteOrMalformedGridGivesNothing) {
    const QStringList full = device::edidToHexCells(countingBytes());
    const QStringList badCells = {"", "0", "ABC", "G0", "+F", " F", "0x", "-1", "\u0663\u0663"};
    for (const QString& bad : badCells) {
        QStringList cells = full;
        cells[100] = bad;
        EXPECT_EQ(device::hexCellsToEdid(cells), std::nullopt) << bad.toStdString();
    }
    EXPECT_EQ(device::hexCellsToEdid({}), std::nullopt);
    EXPECT_EQ(device::hexCellsToEdid(full.mid(1)), std::nullopt);
    EXPECT_EQ(device::hexCellsToEdid(full + QStringList{"00"}), std::nullopt);
    QStringList lowerCase = full;
    lowerCase[0xAB] = "ab";
    EXPECT_EQ(device::hexCellsToEdid(lowerCase), countingBytes());
}

}  // namespace

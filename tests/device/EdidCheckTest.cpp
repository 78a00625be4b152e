#include <gtest/gtest.h>

#include "EdidBuilder.h"
#include "device/Edid.h"

namespace {

using device::EdidStatus;
using device_test::EdidBuilder;

QByteArray withByte(QByteArray data, int at, quint8 value) {
    data[at] = char(value);
    return data;
}

struct CheckCase {
    const char* name;
    QByteArray data;
    EdidStatus expected;
};

TEST(EdidCheck, TableOfImages) {
    const QByteArray valid = EdidBuilder().build();
    QByteArray badHeaderResealed = withByte(valid, 7, 0x01);
    device_test::resealEdid(badHeaderResealed);
    const CheckCase cases[] = {
        {"valid 256", valid, EdidStatus::Ok},
        {"257, trailer ignored", valid + char(0x5A), EdidStatus::Ok},
        {"empty", {}, EdidStatus::WrongSize},
        {"base block only", valid.left(128), EdidStatus::WrongSize},
        {"255 bytes", valid.left(255), EdidStatus::WrongSize},
        {"258 bytes", valid + QByteArray(2, '\0'), EdidStatus::WrongSize},
        {"header byte 0", withByte(valid, 0, 0x01), EdidStatus::BadHeader},
        {"header byte 7, checksum fixed", badHeaderResealed, EdidStatus::BadHeader},
        {"last byte off by one", withByte(valid, 255, quint8(valid[255]) + 1),
         EdidStatus::BadChecksum},
        {"payload byte changed", withByte(valid, 200, quint8(valid[200]) ^ 0x10),
         EdidStatus::BadChecksum},
        {"257 with bad checksum", withByte(valid, 255, quint8(valid[255]) ^ 1) + char(0),
         EdidStatus::BadChecksum},
    };
    for (const CheckCase& c : cases) {
        EXPECT_EQ(device::checkEdid(c.data), c.expected) << c.name;
    }
}

// Only the whole image must sum to zero; real EDIDs also seal each block, which the
// check does not demand.
TEST(EdidCheck, WholeImageChecksumIsWhatCounts) {
    QByteArray edid = EdidBuilder().build();
    edid[127] = char(quint8(edid[127]) + 3);
    edid[200] = char(quint8(edid[200]) - 3);
    EXPECT_EQ(device::checkEdid(edid), EdidStatus::Ok);
}

}  // namespace

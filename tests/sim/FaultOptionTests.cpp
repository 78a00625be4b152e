#include <gtest/gtest.h>

#include "sim/FaultOption.h"

namespace {

TEST(FaultOption, ReadsKindValueTimesGroupAndCode) {
    const struct {
        const char* text;
        sim::Fault expected;
    } cases[] = {
        {"noreply", {sim::FaultKind::NoReply, 1, -1, -1, 0, 2, {}}},
        {"StatusFF:3", {sim::FaultKind::StatusFF, 3, -1, -1, 0, 2, {}}},
        {"badchecksum:all:0x02:3", {sim::FaultKind::BadChecksum, -1, 2, 3, 0, 2, {}}},
        {"delay", {sim::FaultKind::Delay, 1, -1, -1, 6000, 2, {}}},
        {"delay=250:2", {sim::FaultKind::Delay, 2, -1, -1, 250, 2, {}}},
        {"split=5", {sim::FaultKind::Split, 1, -1, -1, 0, 5, {}}},
        {"garbage=01ff:1:16:1",
         {sim::FaultKind::Garbage, 1, 0x10, 1, 0, 2, QByteArray("\x01\xFF", 2)}},
        {"trailingbytes=33",
         {sim::FaultKind::TrailingBytes, 1, -1, -1, 0, 2, QByteArray("\x33", 1)}},
        {"ChecksumRightWrongContent:08",
         {sim::FaultKind::ChecksumRightWrongContent, 8, -1, -1, 0, 2, {}}},
        {"dropconnection", {sim::FaultKind::DropConnection, 1, -1, -1, 0, 2, {}}},
    };
    for (const auto& c : cases) {
        QString error;
        const auto fault = sim::parseFaultOption(QString::fromLatin1(c.text), &error);
        ASSERT_TRUE(fault) << c.text << " " << error.toStdString();
        EXPECT_EQ(fault->kind, c.expected.kind) << c.text;
        EXPECT_EQ(fault->times, c.expected.times) << c.text;
        EXPECT_EQ(fault->group, c.expected.group) << c.text;
        EXPECT_EQ(fault->code, c.expected.code) << c.text;
        EXPECT_EQ(fault->delayMs, c.expected.delayMs) << c.text;
        EXPECT_EQ(fault->pieces, c.expected.pieces) << c.text;
        EXPECT_EQ(fault->bytes, c.expected.bytes) << c.text;
    }
}

TEST(FaultOption, RefusesMalformedTextWithAReason) {
    const struct {
        const char* text;
        const char* reason;
    } cases[] = {
        {"", "unknown kind"},
        {"lightning", "unknown kind"},
        {"noreply=5", "bad value"},
        {"split=0", "bad value"},
        {"garbage=0", "bad value"},
        {"garbage=zz", "bad value"},
        {"delay=-1", "bad value"},
        {"noreply:0", "bad count"},
        {"noreply:x", "bad count"},
        {"noreply:1:2", "expected kind[=value][:times[:group:code]]"},
        {"noreply:1:0x100:1", "bad group or code"},
    };
    for (const auto& c : cases) {
        QString error;
        EXPECT_FALSE(sim::parseFaultOption(QString::fromLatin1(c.text), &error)) << c.text;
        EXPECT_EQ(error, QStringLiteral("bad fault \"%1\": %2").arg(c.text, c.reason)) << c.text;
    }
}

}  // namespace

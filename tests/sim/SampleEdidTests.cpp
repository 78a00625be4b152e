#include <gtest/gtest.h>

#include <set>

#include "sim/SampleEdid.h"
#include "sim/SimFrame.h"
#include "sim/SwitcherState.h"

namespace {

std::vector<QByteArray> allEdids(const sim::SwitcherState& state) {
    std::vector<QByteArray> edids(state.builtInEdids.begin(), state.builtInEdids.end());
    edids.insert(edids.end(), state.outputEdid.begin(), state.outputEdid.end());
    edids.insert(edids.end(), state.userEdid.begin(), state.userEdid.end());
    edids.push_back(state.defaultEdid);
    return edids;
}

TEST(SampleEdid, EveryEdidOfTheSwitcherIsValidAndDistinct) {
    const sim::SwitcherState state;
    const auto edids = allEdids(state);
    EXPECT_EQ(edids.size(), 24u);
    for (const QByteArray& edid : edids) {
        ASSERT_EQ(edid.size(), 256);
        EXPECT_EQ(edid.left(8), QByteArray::fromHex("00FFFFFFFFFFFF00"));
        EXPECT_EQ(sim::checksumOf(edid.left(127)), quint8(edid[127]));
        EXPECT_EQ(sim::checksumOf(edid.mid(128, 127)), quint8(edid[255]));
        EXPECT_EQ(sim::checksumOf(edid), 0);
    }
    EXPECT_EQ(std::set<QByteArray>(edids.begin(), edids.end()).size(), edids.size());
    for (const QByteArray& input : state.inputEdid) {
        EXPECT_EQ(input, state.defaultEdid);
    }
}

TEST(SampleEdid, CarriesProductCodeAndMonitorName) {
    const QByteArray edid = sim::makeSampleEdid(0x1234, "A NAME THAT IS TOO LONG");
    EXPECT_EQ(edid.mid(8, 4), QByteArray::fromHex("4D2D3412"));
    EXPECT_EQ(edid.mid(72, 5), QByteArray::fromHex("000000FC00"));
    EXPECT_EQ(edid.mid(77, 13), QByteArray("A NAME THAT I"));
    EXPECT_EQ(sim::makeSampleEdid(1, "AB").mid(77, 13), QByteArray("AB\n          "));
}

}  // namespace

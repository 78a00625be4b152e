#include <gtest/gtest.h>

#include <QStringList>

#include "settings/DeviceEntry.h"

namespace config {
namespace {

struct EntryCase {
    const char* name;
    const char* text;
    QStringList fields;  // tag, mode, IP, MAC, subnet as read
};

void PrintTo(const EntryCase& c, std::ostream* os) {
    *os << c.name;
}

class DeviceEntryText : public ::testing::TestWithParam<EntryCase> {};

TEST_P(DeviceEntryText, ReadsEveryField) {
    QStringList read;
    for (int k = DeviceEntry::Tag; k <= DeviceEntry::Subnet; ++k) {
        read << DeviceEntryField(QString::fromUtf8(GetParam().text), k);
    }
    EXPECT_EQ(read, GetParam().fields) << read.join(" | ").toStdString();
}

const QStringList kDefaults{"", "Static IP", "0.0.0.0", "00-00-00-00-00-00", "Same Subnet"};

INSTANTIATE_TEST_SUITE_P(
    Entries, DeviceEntryText,
    ::testing::Values(
        EntryCase{"Plain",
                  "[Hall]-[Auto IP]-[10.0.0.7]-[00-1A-2B-3C-4D-01]-[Cross Subnet]",
                  {"Hall", "Auto IP", "10.0.0.7", "00-1A-2B-3C-4D-01", "Cross Subnet"}},
        EntryCase{"BracketsInTheTag",
                  "[Room [A]]-[Static IP]-[10.0.0.7]-[00-1A-2B-3C-4D-01]-[Same Subnet]",
                  {"Room [A]", "Static IP", "10.0.0.7", "00-1A-2B-3C-4D-01", "Same Subnet"}},
        EntryCase{"TagLikeAnEntry",
                  "[a]-[b]-[c]-[d]-[e]-[Auto IP]-[1.2.3.4]-[MAC]-[Same Subnet]",
                  {"a]-[b]-[c]-[d]-[e", "Auto IP", "1.2.3.4", "MAC", "Same Subnet"}},
        EntryCase{"EmptyTag",
                  "[]-[Static IP]-[1.2.3.4]-[MAC]-[Same Subnet]",
                  {"", "Static IP", "1.2.3.4", "MAC", "Same Subnet"}},
        EntryCase{"HandEditedAndCut",
                  "[Hall]-[Auto IP]-[10.1.2.3",
                  {"Hall", "Auto IP", "0.0.0.0", "00-00-00-00-00-00", "Same Subnet"}},
        EntryCase{"Empty", "", kDefaults}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace config

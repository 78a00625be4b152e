#include <gtest/gtest.h>

#include "device/EdidModes.h"

namespace {

using device::EdidModeChoice;
using Kind = EdidModeChoice::Kind;

constexpr EdidModeChoice selector(quint16 value) {
    return {Kind::Selector, value};
}
constexpr EdidModeChoice kDefault{Kind::DefaultEdid, 0};
constexpr EdidModeChoice kNothing{};

QStringList windowModes() {
    QStringList modes = device::designedEdidModes();
    modes.removeLast();
    return modes;
}

TEST(EdidModes, DesignedListEndsWithAutoEdid) {
    const QStringList modes = device::designedEdidModes();
    ASSERT_EQ(modes.size(), 20);
    EXPECT_EQ(modes.front(), "Select EDID");
    EXPECT_EQ(modes[13], "1024x768 DVI");
    EXPECT_EQ(modes[18], "Default EDID");
    EXPECT_EQ(modes.back(), "Auto EDID");
}

TEST(EdidModes, WindowListSelectors) {
    const QStringList modes = windowModes();
    ASSERT_EQ(modes.size(), 19);
    EXPECT_EQ(device::edidModeChoice(modes, 0), kNothing);
    for (int index = 1; index <= 15; ++index) {
        EXPECT_EQ(device::edidModeChoice(modes, index), selector(quint16(0xF000 + index))) << index;
    }
    EXPECT_EQ(device::edidModeChoice(modes, 16), selector(0xF100));
    EXPECT_EQ(device::edidModeChoice(modes, 17), selector(0xF200));
    EXPECT_EQ(device::edidModeChoice(modes, 18), kDefault);
    EXPECT_EQ(device::edidModeChoice(modes, 19), kNothing);
    EXPECT_EQ(device::edidModeChoice(modes, -1), kNothing);
}

// With "Auto EDID" still present it is the last entry and takes over the default commands.
TEST(EdidModes, LastEntryRuleFollowsTheList) {
    const QStringList modes = device::designedEdidModes();
    EXPECT_EQ(device::edidModeChoice(modes, 18), selector(0xF012));
    EXPECT_EQ(device::edidModeChoice(modes, 19), kDefault);
}

struct ListCase {
    const char* name;
    QStringList modes;
    int index;
    EdidModeChoice expected;
};

TEST(EdidModes, RulesOverAnyList) {
    const QStringList manyUsers = [] {
        QStringList modes = {"Select"};
        for (int i = 1; i <= 17; ++i) {
            modes << QStringLiteral("user%1").arg(i);
        }
        return modes << "Default";
    }();
    QStringList long300(300, QStringLiteral("mode"));
    const ListCase cases[] = {
        {"last beats USER", {"Select", "a", "User3"}, 2, kDefault},
        {"lower-case user", {"Select", "a", "my user edid", "b"}, 2, selector(0xF100)},
        {"second user counted from first",
         {"Select", "USER x", "b", "Userland", "z"},
         3,
         selector(0xF300)},
        {"non-user after users", {"Select", "User1", "b", "z"}, 2, selector(0xF002)},
        {"fifteenth user memory", manyUsers, 15, selector(0xFF00)},
        {"sixteenth user does not fit", manyUsers, 16, kNothing},
        {"built-in 255", long300, 255, selector(0xF0FF)},
        {"built-in 256 would alias user memory 1", long300, 256, kNothing},
        {"single entry", {"Select"}, 0, kNothing},
    };
    for (const ListCase& c : cases) {
        EXPECT_EQ(device::edidModeChoice(c.modes, c.index), c.expected) << c.name;
    }
}

}  // namespace

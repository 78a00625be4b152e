#include <gtest/gtest.h>

#include <optional>

#include "device/EdidCommands.h"
#include "device/EdidModes.h"

namespace {

// What a command puts on the wire: code, P1 and P2 of group 0x03.
struct Wire {
    quint8 code;
    quint16 p1, p2;
    friend bool operator==(const Wire&, const Wire&) = default;
};

std::optional<Wire> WireOf(const std::optional<device::EdidCommand>& command) {
    if (!command) return std::nullopt;
    const devlink::CommandRequest r = command->request();
    EXPECT_EQ(r.group, 0x03);
    return Wire{r.code, r.p1, r.p2};
}

void PrintTo(const Wire& w, std::ostream* os) {
    *os << int(w.code) << "/" << w.p1 << "/" << w.p2;
}

constexpr int kInputListSize = 8;  // "Select Input", In1..In6, "All Inputs"
constexpr int kAllInputs = 7;

struct SetCase {
    int mode;
    int input;
    std::optional<Wire> expected;
};

TEST(EdidCommands, WriteGateClosesWithF0) {
    EXPECT_EQ(WireOf(device::kEdidWriteGateOff), (Wire{0x08, 0xF0, 0}));
}

TEST(EdidCommands, SetModeTable) {
    QStringList modes = device::designedEdidModes();
    modes.removeLast();
    const SetCase cases[] = {
        {17, 3, Wire{0x02, 0xF200, 3}},           // User2 on input 3
        {16, kAllInputs, Wire{0x01, 0xF100, 0}},  // User1 on all
        {1, 1, Wire{0x02, 0xF001, 1}},
        {15, 6, Wire{0x02, 0xF00F, 6}},
        {4, kAllInputs, Wire{0x01, 0xF004, 0}},
        {18, kAllInputs, Wire{0x09, 0xFE, 0}},  // Default EDID on all
        {18, 5, Wire{0x0A, 5, 0}},
        {0, 3, std::nullopt},
        {4, 0, std::nullopt},
        {4, kInputListSize, std::nullopt},
        {19, 3, std::nullopt},
    };
    for (const SetCase& c : cases) {
        EXPECT_EQ(WireOf(device::setEdidModeCommand(modes, c.mode, c.input, kInputListSize)),
                  c.expected)
            << "mode " << c.mode << " input " << c.input;
    }
}

// "All Inputs" is whatever entry ends the input list.
TEST(EdidCommands, AllInputsIsTheLastInputEntry) {
    const QStringList modes = {"Select EDID", "A", "Default EDID"};
    EXPECT_EQ(WireOf(device::setEdidModeCommand(modes, 1, 3, 4)), (Wire{0x01, 0xF001, 0}));
    EXPECT_EQ(WireOf(device::setEdidModeCommand(modes, 1, 3, 5)), (Wire{0x02, 0xF001, 3}));
}

TEST(EdidCommands, DownloadTargets) {
    const std::optional<Wire> expected[] = {
        std::nullopt,          Wire{0x07, 0xF001, 0}, Wire{0x07, 0xF002, 0},
        Wire{0x07, 0xF003, 0}, Wire{0x07, 0xF004, 0}, Wire{0x07, 0xF005, 0},
        Wire{0x07, 0xF006, 0}, Wire{0x06, 0xF0FE, 0},  // "All Inputs"
        Wire{0x07, 0xF100, 0},                         // "User1 Memory"
        Wire{0x07, 0xF200, 0},                         // "User2 Memory"
        std::nullopt,
    };
    for (int index = 0; index < int(std::size(expected)); ++index) {
        EXPECT_EQ(WireOf(device::downloadEdidCommand(index)), expected[index]) << index;
    }
    EXPECT_EQ(device::downloadEdidCommand(-1), std::nullopt);
}

TEST(EdidCommands, ReadSelectsTheOutputsPort) {
    EXPECT_EQ(WireOf(device::readEdidCommand(1)), (Wire{0x05, 0xF001, 0}));
    EXPECT_EQ(WireOf(device::readEdidCommand(6)), (Wire{0x05, 0xF006, 0}));
}

}  // namespace

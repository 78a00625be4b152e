#include <gtest/gtest.h>

#include "link/Commands.h"
#include "support/SimHarness.h"

using namespace devlink;
using namespace testing_support;

namespace {

struct CommandCase {
    Command command;
    quint16 arg1, arg2;
    Frame frame;
    Runner runner;
    const char* label;
};

TEST(CommandTable, BuildsEveryCommandWithItsParametersAndLabel) {
    const CommandCase cases[] = {
        {Command::GetDeviceType, 0, 0, BuildFrame(0x01, 0x01, 0xFE), Runner::ExecPowered,
         "Getting device info ..."},
        {Command::GetPortCounts, 0, 0, BuildFrame(0x01, 0x02, 0xFE), Runner::ExecPowered,
         "Getting device info ..."},
        {Command::GetFirmwareVersion, 0, 0, BuildFrame(0x01, 0x03, 0xFE), Runner::ExecPowered,
         "Getting device info ..."},
        {Command::GetInputLinkStatus, 4, 0, BuildFrame(0x01, 0x04, 4), Runner::ExecPowered,
         "Getting Input4 connection ..."},
        {Command::GetOutputLinkStatus, 6, 0, BuildFrame(0x01, 0x05, 6), Runner::ExecPowered,
         "Getting Output6 connection ..."},
        {Command::GetApmStatus, 0, 0, BuildFrame(0x01, 0x0A, 0xFE), Runner::ExecPowered,
         "Getting APM status ..."},
        {Command::SetApm, kOn, 0, BuildFrame(0x01, 0x0B, 0x0F), Runner::ExecPowered,
         "Set APM ON ..."},
        {Command::SetApm, kOff, 0, BuildFrame(0x01, 0x0B, 0xF0), Runner::ExecPowered,
         "Set APM OFF ..."},
        {Command::GetBeeperStatus, 0, 0, BuildFrame(0x01, 0x0C, 0xFE), Runner::ExecPowered,
         "Getting Beeper status ..."},
        {Command::SetBeeper, kOff, 0, BuildFrame(0x01, 0x0D, 0xF0), Runner::ExecPowered,
         "Disable Beeper control ..."},
        {Command::GetPanelKeysStatus, 0, 0, BuildFrame(0x01, 0x0E, 0xFE), Runner::ExecPowered,
         "Getting Keys status ..."},
        {Command::SetPanelKeys, kOn, 0, BuildFrame(0x01, 0x0F, 0x0F), Runner::ExecPowered,
         "Lock Keys on panel ..."},
        {Command::SetPanelKeys, kOff, 0, BuildFrame(0x01, 0x0F, 0xF0), Runner::ExecPowered,
         "Unlock Keys on panel ..."},
        {Command::GetOutputRoute, 3, 0, BuildFrame(0x02, 0x01, 3), Runner::ExecPowered,
         "Getting Output3 ..."},
        {Command::SetRoute, 5, 3, BuildFrame(0x02, 0x03, 5, 3), Runner::ExecPowered, "Setting..."},
        {Command::SetEdidAllInputs, 0xF004, 0, BuildFrame(0x03, 0x01, 0xF004), Runner::ExecPowered,
         "Setting..."},
        {Command::SetEdidOneInput, 0xF200, 3, BuildFrame(0x03, 0x02, 0xF200, 3),
         Runner::ExecPowered, "Setting..."},
        {Command::CopyOutputEdidAllInputs, 2, 0, BuildFrame(0x03, 0x03, 2), Runner::ExecPowered,
         "Copying..."},
        {Command::CopyOutputEdidOneInput, 2, 5, BuildFrame(0x03, 0x04, 2, 5), Runner::ExecPowered,
         "Copying..."},
        {Command::ReadEdidData, 0xF001, 0, BuildFrame(0x03, 0x05, 0xF001), Runner::ReadData,
         "Reading..."},
        {Command::WriteEdidAllInputs, 0, 0, BuildFrame(0x03, 0x06, 0xF0FE), Runner::WriteData,
         "Downloading..."},
        {Command::WriteEdidOneInput, 0xF200, 0, BuildFrame(0x03, 0x07, 0xF200), Runner::WriteData,
         "Downloading..."},
        {Command::SetEdidWriteGate, kOff, 0, BuildFrame(0x03, 0x08, 0xF0), Runner::ExecPowered,
         "Setting..."},
        {Command::SetDefaultEdidAllInputs, 0, 0, BuildFrame(0x03, 0x09, 0xFE), Runner::ExecPowered,
         "Setting..."},
        {Command::SetDefaultEdidOneInput, 2, 0, BuildFrame(0x03, 0x0A, 2), Runner::ExecPowered,
         "Setting..."},
        {Command::SetIrReceiver, kOn, 0, BuildFrame(0x04, 0x03, 0x0F), Runner::ExecPowered,
         "Enable IR control ..."},
        {Command::GetIrReceiverStatus, 0, 0, BuildFrame(0x04, 0x04, 0xFE), Runner::ExecPowered,
         "Getting IR status ..."},
        {Command::GetPowerStatus, 0, 0, BuildFrame(0x10, 0x01, 0xFE, 0, 0xD22D, 0x2ED3),
         Runner::Exec, "Getting Power status ..."},
        {Command::SetPower, kOn, 0, BuildFrame(0x10, 0x02, 0x0F, 0, 0xD22D, 0x2ED3), Runner::Exec,
         "Matrix booting ..."},
        {Command::SetPower, kOff, 0, BuildFrame(0x10, 0x02, 0xF0, 0, 0xD22D, 0x2ED3), Runner::Exec,
         "Power off ..."},
        {Command::RebootSystem, 0, 0, BuildFrame(0x80, 0x02, 0x0F), Runner::Exec,
         "Reboot system ..."},
        {Command::RebootProbe, 0, 0, BuildFrame(0x01, 0x01, 0), Runner::RebootWait, ""},
    };
    for (const auto& c : cases) {
        const CommandRequest r = MakeCommand(c.command, c.arg1, c.arg2);
        EXPECT_EQ(BuildFrame(r.group, r.code, r.p1, r.p2, r.p3, r.p4), c.frame)
            << r.name.toStdString();
        EXPECT_EQ(r.runner, c.runner) << r.name.toStdString();
        EXPECT_EQ(r.label, QString::fromLatin1(c.label)) << r.name.toStdString();
    }
}

TEST(CommandTable, OnOffValuesAreIndexedByTheOnChoice) {
    EXPECT_EQ(OnOffValue(false), 0xF0);
    EXPECT_EQ(OnOffValue(true), 0x0F);
}

CommandResult WithValues(quint8 r4, quint8 r6, quint8 ok = 1) {
    CommandResult r;
    r.reply[4] = r4;
    r.reply[6] = r6;
    r.ok = ok;
    return r;
}

TEST(ReplyReaders, ReadTheValueBytesAsTheTableSays) {
    EXPECT_TRUE(ReplyIsOn(WithValues(0, 0xFF)));
    EXPECT_FALSE(ReplyIsOn(WithValues(0, 0x01)));
    EXPECT_EQ(ReplyPortLink(WithValues(0, 0x00)), PortLink::Connected);
    EXPECT_EQ(ReplyPortLink(WithValues(0, 0xFF)), PortLink::NotConnected);
    EXPECT_EQ(ReplyPortLink(WithValues(0, 0x01)), PortLink::Unchanged);
    EXPECT_EQ(OutputConnectionCode(WithValues(0, 0x00, 0)), kOutputQueryFailed);
    EXPECT_EQ(OutputConnectionCode(WithValues(0, 0x05)), kOutputNotConnected);
    EXPECT_EQ(OutputConnectionCode(WithValues(0, 0x00)), kOutputConnected);
    EXPECT_EQ(ModelName(3), QStringLiteral("HDMI+HDBT Matrix"));
    EXPECT_TRUE(ModelName(4).isEmpty());
}

}  // namespace

#pragma once

#include <QString>

#include "link/CommandResult.h"

// The one table of commands the controller sends to the switcher.
namespace devlink {

enum TControlMode { cmLAN = 0, cmCOM = 1 };
enum TUDPMode { umBROADCAST = 0, umNORMAL = 1 };

constexpr quint16 kQuery = 0xFE;
constexpr quint16 kOn = 0x0F;
constexpr quint16 kOff = 0xF0;
constexpr quint16 kPowerKeyP3 = 0xD22D;
constexpr quint16 kPowerKeyP4 = 0x2ED3;

// Request value for an on/off choice: index 0 (off) 0xF0, index 1 (on) 0x0F.
quint16 OnOffValue(bool on);

enum class Command {
    GetDeviceType,
    GetPortCounts,
    GetFirmwareVersion,
    GetInputLinkStatus,
    GetOutputLinkStatus,
    GetApmStatus,
    SetApm,
    GetBeeperStatus,
    SetBeeper,
    GetPanelKeysStatus,
    SetPanelKeys,
    GetOutputRoute,
    SetRoute,
    SetEdidAllInputs,
    SetEdidOneInput,
    CopyOutputEdidAllInputs,
    CopyOutputEdidOneInput,
    ReadEdidData,
    WriteEdidAllInputs,
    WriteEdidOneInput,
    SetEdidWriteGate,
    SetDefaultEdidAllInputs,
    SetDefaultEdidOneInput,
    SetIrReceiver,
    GetIrReceiverStatus,
    GetPowerStatus,
    SetPower,
    RebootSystem,
    RebootProbe,
};

// Which operation runs a command.
enum class Runner {
    Exec,         // ExecCommand: no power check
    ExecPowered,  // ExecPoweredCommand: refused while the switcher is off
    ReadData,     // data-in transfer
    WriteData,    // data-out transfer
    RebootWait,   // sent by the reboot wait itself
};

// A command with its parameters filled in, ready for a runner.
struct CommandRequest {
    Command command;
    QString name;
    quint8 group = 0;
    quint8 code = 0;
    quint16 p1 = 0, p2 = 0, p3 = 0, p4 = 0;
    Runner runner = Runner::ExecPowered;
    QString label;  // shown in the status bar while it runs
};

// arg1 and arg2 are the command's variable parameters in table order (a port,
// an on/off value, an EDID selector); unused ones are ignored.
CommandRequest MakeCommand(Command command, quint16 arg1 = 0, quint16 arg2 = 0);

// Reply readers. r[4] is the status/first value byte, r[6] the value byte.
quint8 ReplyByte4(const CommandResult& result);
quint8 ReplyByte6(const CommandResult& result);
bool ReplyIsOn(const CommandResult& result);  // r[6] == 0xFF

QString ModelName(int modelNumber);  // empty for a number outside 1..3

enum class PortLink { Connected, NotConnected, Unchanged };
PortLink ReplyPortLink(const CommandResult& result);

// Get output link status as read before EDID reads and copies.
constexpr quint8 kOutputQueryFailed = 0xFF;
constexpr quint8 kOutputNotConnected = 0xF0;
constexpr quint8 kOutputConnected = 0x0F;
quint8 OutputConnectionCode(const CommandResult& result);

}  // namespace devlink

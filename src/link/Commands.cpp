#include "link/Commands.h"

#include <array>

namespace devlink {
namespace {

// Where a parameter's value comes from.
enum class Source { Zero, Arg1, Arg2, Query, On, AllInputs, PowerP3, PowerP4 };

using LabelFn = QString (*)(quint16 arg1, quint16 arg2);

struct Definition {
    Command command;
    const char* name;
    quint8 group;
    quint8 code;
    Source p1, p2, p3, p4;
    Runner runner;
    LabelFn label;
};

QString Word(bool on, const char* onWord, const char* offWord) {
    return QString::fromLatin1(on ? onWord : offWord);
}
bool IsOn(quint16 value) {
    return value == kOn;
}

QString DeviceInfo(quint16, quint16) {
    return QStringLiteral("Getting device info ...");
}
QString Setting(quint16, quint16) {
    return QStringLiteral("Setting...");
}
QString Copying(quint16, quint16) {
    return QStringLiteral("Copying...");
}
QString NoLabel(quint16, quint16) {
    return {};
}

constexpr Source Z = Source::Zero;

const std::array kTable = {
    Definition{Command::GetDeviceType, "Get device type", 0x01, 0x01, Source::Query, Z, Z, Z,
               Runner::ExecPowered, DeviceInfo},
    Definition{Command::GetPortCounts, "Get port counts", 0x01, 0x02, Source::Query, Z, Z, Z,
               Runner::ExecPowered, DeviceInfo},
    Definition{Command::GetFirmwareVersion, "Get firmware version", 0x01, 0x03, Source::Query, Z,
               Z, Z, Runner::ExecPowered, DeviceInfo},
    Definition{Command::GetInputLinkStatus, "Get input link status", 0x01, 0x04, Source::Arg1, Z,
               Z, Z, Runner::ExecPowered,
               [](quint16 n, quint16) {
                   return QStringLiteral("Getting Input%1 connection ...").arg(n);
               }},
    Definition{Command::GetOutputLinkStatus, "Get output link status", 0x01, 0x05, Source::Arg1, Z,
               Z, Z, Runner::ExecPowered,
               [](quint16 n, quint16) {
                   return QStringLiteral("Getting Output%1 connection ...").arg(n);
               }},
    Definition{Command::GetApmStatus, "Get APM status", 0x01, 0x0A, Source::Query, Z, Z, Z,
               Runner::ExecPowered,
               [](quint16, quint16) { return QStringLiteral("Getting APM status ..."); }},
    Definition{Command::SetApm, "Set APM", 0x01, 0x0B, Source::Arg1, Z, Z, Z, Runner::ExecPowered,
               [](quint16 v, quint16) {
                   return QStringLiteral("Set APM ") + Word(IsOn(v), "ON", "OFF") +
                          QStringLiteral(" ...");
               }},
    Definition{Command::GetBeeperStatus, "Get beeper status", 0x01, 0x0C, Source::Query, Z, Z, Z,
               Runner::ExecPowered,
               [](quint16, quint16) { return QStringLiteral("Getting Beeper status ..."); }},
    Definition{Command::SetBeeper, "Set beeper", 0x01, 0x0D, Source::Arg1, Z, Z, Z,
               Runner::ExecPowered,
               [](quint16 v, quint16) {
                   return Word(IsOn(v), "Enable", "Disable") + QStringLiteral(" Beeper control ...");
               }},
    Definition{Command::GetPanelKeysStatus, "Get panel keys status", 0x01, 0x0E, Source::Query, Z,
               Z, Z, Runner::ExecPowered,
               [](quint16, quint16) { return QStringLiteral("Getting Keys status ..."); }},
    Definition{Command::SetPanelKeys, "Set panel keys", 0x01, 0x0F, Source::Arg1, Z, Z, Z,
               Runner::ExecPowered,
               [](quint16 v, quint16) {
                   return Word(IsOn(v), "Lock", "Unlock") + QStringLiteral(" Keys on panel ...");
               }},
    Definition{Command::GetOutputRoute, "Get output route", 0x02, 0x01, Source::Arg1, Z, Z, Z,
               Runner::ExecPowered,
               [](quint16 n, quint16) { return QStringLiteral("Getting Output%1 ...").arg(n); }},
    Definition{Command::SetRoute, "Set route", 0x02, 0x03, Source::Arg1, Source::Arg2, Z, Z,
               Runner::ExecPowered, Setting},
    Definition{Command::SetEdidAllInputs, "Set EDID of all inputs", 0x03, 0x01, Source::Arg1, Z, Z,
               Z, Runner::ExecPowered, Setting},
    Definition{Command::SetEdidOneInput, "Set EDID of one input", 0x03, 0x02, Source::Arg1,
               Source::Arg2, Z, Z, Runner::ExecPowered, Setting},
    Definition{Command::CopyOutputEdidAllInputs, "Copy output EDID to all inputs", 0x03, 0x03,
               Source::Arg1, Z, Z, Z, Runner::ExecPowered, Copying},
    Definition{Command::CopyOutputEdidOneInput, "Copy output EDID to one input", 0x03, 0x04,
               Source::Arg1, Source::Arg2, Z, Z, Runner::ExecPowered, Copying},
    Definition{Command::ReadEdidData, "Read EDID data", 0x03, 0x05, Source::Arg1, Z, Z, Z,
               Runner::ReadData, [](quint16, quint16) { return QStringLiteral("Reading..."); }},
    Definition{Command::WriteEdidAllInputs, "Write EDID to all inputs", 0x03, 0x06,
               Source::AllInputs, Z, Z, Z, Runner::WriteData,
               [](quint16, quint16) { return QStringLiteral("Downloading..."); }},
    Definition{Command::WriteEdidOneInput, "Write EDID to one input or user memory", 0x03, 0x07,
               Source::Arg1, Z, Z, Z, Runner::WriteData,
               [](quint16, quint16) { return QStringLiteral("Downloading..."); }},
    // The label is that of the EDID action that follows; callers pass it.
    Definition{Command::SetEdidWriteGate, "Set EDID write gate", 0x03, 0x08, Source::Arg1, Z, Z, Z,
               Runner::ExecPowered, Setting},
    Definition{Command::SetDefaultEdidAllInputs, "Set default EDID of all inputs", 0x03, 0x09,
               Source::Query, Z, Z, Z, Runner::ExecPowered, Setting},
    Definition{Command::SetDefaultEdidOneInput, "Set default EDID of one input", 0x03, 0x0A,
               Source::Arg1, Z, Z, Z, Runner::ExecPowered, Setting},
    Definition{Command::SetIrReceiver, "Set IR receiver", 0x04, 0x03, Source::Arg1, Z, Z, Z,
               Runner::ExecPowered,
               [](quint16 v, quint16) {
                   return Word(IsOn(v), "Enable", "Disable") + QStringLiteral(" IR control ...");
               }},
    Definition{Command::GetIrReceiverStatus, "Get IR receiver status", 0x04, 0x04, Source::Query,
               Z, Z, Z, Runner::ExecPowered,
               [](quint16, quint16) { return QStringLiteral("Getting IR status ..."); }},
    Definition{Command::GetPowerStatus, "Get power status", 0x10, 0x01, Source::Query, Z,
               Source::PowerP3, Source::PowerP4, Runner::Exec,
               [](quint16, quint16) { return QStringLiteral("Getting Power status ..."); }},
    Definition{Command::SetPower, "Set power", 0x10, 0x02, Source::Arg1, Z, Source::PowerP3,
               Source::PowerP4, Runner::Exec,
               [](quint16 v, quint16) {
                   return QString::fromLatin1(IsOn(v) ? "Matrix booting ..." : "Power off ...");
               }},
    Definition{Command::RebootSystem, "Reboot system", 0x80, 0x02, Source::On, Z, Z, Z,
               Runner::Exec, [](quint16, quint16) { return QStringLiteral("Reboot system ..."); }},
    Definition{Command::RebootProbe, "Reboot probe", 0x01, 0x01, Z, Z, Z, Z, Runner::RebootWait,
               NoLabel},
};

quint16 Resolve(Source source, quint16 arg1, quint16 arg2) {
    switch (source) {
        case Source::Zero:
            return 0;
        case Source::Arg1:
            return arg1;
        case Source::Arg2:
            return arg2;
        case Source::Query:
            return kQuery;
        case Source::On:
            return kOn;
        case Source::AllInputs:
            return 0xF0FE;
        case Source::PowerP3:
            return kPowerKeyP3;
        case Source::PowerP4:
            return kPowerKeyP4;
    }
    return 0;
}

}  // namespace

quint16 OnOffValue(bool on) {
    static constexpr std::array<quint16, 2> kValues = {kOff, kOn};
    return kValues[on ? 1 : 0];
}

CommandRequest MakeCommand(Command command, quint16 arg1, quint16 arg2) {
    const Definition& d = kTable[static_cast<std::size_t>(command)];
    Q_ASSERT(d.command == command);
    return CommandRequest{command,
                          QString::fromLatin1(d.name),
                          d.group,
                          d.code,
                          Resolve(d.p1, arg1, arg2),
                          Resolve(d.p2, arg1, arg2),
                          Resolve(d.p3, arg1, arg2),
                          Resolve(d.p4, arg1, arg2),
                          d.runner,
                          d.label(arg1, arg2)};
}

quint8 ReplyByte4(const CommandResult& result) {
    return result.reply[kStatusOffset];
}
quint8 ReplyByte6(const CommandResult& result) {
    return result.reply[kValueOffset];
}
bool ReplyIsOn(const CommandResult& result) {
    return ReplyByte6(result) == 0xFF;
}

QString ModelName(int modelNumber) {
    switch (modelNumber) {
        case 1:
            return QStringLiteral("HDMI Matrix");
        case 2:
            return QStringLiteral("HDBT Matrix");
        case 3:
            return QStringLiteral("HDMI+HDBT Matrix");
        default:
            return {};
    }
}

PortLink ReplyPortLink(const CommandResult& result) {
    switch (ReplyByte6(result)) {
        case 0x00:
            return PortLink::Connected;
        case 0xFF:
            return PortLink::NotConnected;
        default:
            return PortLink::Unchanged;
    }
}

quint8 OutputConnectionCode(const CommandResult& result) {
    if (!result.succeeded()) return kOutputQueryFailed;
    return ReplyByte6(result) != 0 ? kOutputNotConnected : kOutputConnected;
}

}  // namespace devlink

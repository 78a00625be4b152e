#include "cli/program/CommandTable.h"

#include <array>

#include "cli/commands/Handlers.h"
#include "cli/program/Invocation.h"

namespace cli {

namespace {

const std::array kCommands = {
    CommandSpec{"status", "status",
                "model, version, port counts, power, link of every port, routes, options",
                "matrixctl --serial /dev/ttyUSB0 status", runStatus},
    CommandSpec{"route", "route OUT|all IN", "switch one output, or all six, to an input",
                "matrixctl --tcp 192.168.0.100 route all 3", runRoute},
    CommandSpec{"routes", "routes", "the input of every output", "matrixctl routes --json",
                runRoutes},
    CommandSpec{"power", "power [on|off]", "switch the switcher on or to standby; read it back",
                "matrixctl power on", runPower},
    CommandSpec{"option", "option ir|keys|apm|beeper [on|off]",
                "set a front-panel option; read it back", "matrixctl option beeper off", runOption},
    CommandSpec{"preset", "preset list | preset apply N|NAME",
                "the window's pre-settings from Settings.ini", "matrixctl preset apply Lobby",
                runPreset},
    CommandSpec{"edid",
                "edid read output N FILE | edid write input N|all FILE | edid write memory 1|2 "
                "FILE | edid copy OUT IN|all | edid mode MODE IN|all | edid modes | edid show FILE",
                "EDID transfers, copies and modes of the EDID tab; show decodes a file",
                "matrixctl edid read output 2 tv.bin", runEdid},
    CommandSpec{"search", "search [--address IP]",
                "find the Ethernet modules: tag, mode, IP, MAC per line (about 3 s; 15 s when "
                "none answers)",
                "matrixctl search --address 192.168.0.100", runSearch},
    CommandSpec{"module", "module info",
                "version, DHCP and address of the Ethernet module, over the serial port",
                "matrixctl --serial /dev/ttyUSB0 module info", runModule},
    CommandSpec{"upgrade", "upgrade FILE.fw",
                "send every part of a merged firmware file, then reboot the switcher",
                "matrixctl upgrade Vorpanix_mm1.2_ms1.0.fw", runUpgrade},
    CommandSpec{"backup", "backup FILE.json",
                "save power, routes, options, and the window's port tags and pre-settings",
                "matrixctl backup room-101.json", runBackup},
    CommandSpec{"restore", "restore FILE.json [--only routes,power,options,edid]",
                "write a backup back, read it back and list what still differs",
                "matrixctl restore room-101.json --only routes,options", runRestore},
    CommandSpec{"diff", "diff FILE.json", "compare a backup with the switcher; writes nothing",
                "matrixctl diff room-101.json", runDiff},
    CommandSpec{"watch", "watch [--interval S]",
                "print the state, then every change until interrupted; reconnects by itself",
                "matrixctl --json watch", runWatch},
    CommandSpec{"serve", "serve [--listen ADDRESS:PORT] [--token-file FILE]",
                "an HTTP API, live events and a routing page for phones; follows the switcher "
                "until interrupted",
                "matrixctl --serial /dev/ttyUSB0 serve --listen 0.0.0.0:8787", runServe},
};

}  // namespace

std::span<const CommandSpec> commandTable() {
    return kCommands;
}

QString helpText() {
    QString text = QStringLiteral(
                       "Usage: matrixctl [options] command [arguments]\n"
                       "Controls the matrix switcher over its serial port or Ethernet "
                       "module.\n\n") +
                   optionsHelp().section(u'\n', 2) + QStringLiteral("\nCommands:\n");
    for (const CommandSpec& command : kCommands) {
        text += QStringLiteral("  %1\n      %2\n      e.g. %3\n")
                    .arg(QLatin1String(command.usage), QLatin1String(command.summary),
                         QLatin1String(command.example));
    }
    text += QStringLiteral(
        "\nExit status: 0 done, 1 refused by the switcher, 2 no reply or time-out, 3 cannot "
        "connect, 4 bad file, 64 usage error.\n");
    return text;
}

}  // namespace cli

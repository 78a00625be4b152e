#include "cli/program/Invocation.h"

#include <QCommandLineParser>

namespace cli {

namespace {

struct Options {
    QCommandLineOption serial{QStringLiteral("serial"),
                              QStringLiteral("Reach the switcher on this serial device."),
                              QStringLiteral("PATH")};
    QCommandLineOption tcp{QStringLiteral("tcp"),
                           QStringLiteral("Reach the switcher's Ethernet module at this address "
                                          "(port 8000 unless ADDRESS:PORT)."),
                           QStringLiteral("ADDRESS")};
    QCommandLineOption settings{QStringLiteral("settings"),
                                QStringLiteral("The window's Settings.ini to read (saved "
                                               "connection, pre-settings, port tags)."),
                                QStringLiteral("FILE")};
    QCommandLineOption json{QStringLiteral("json"),
                            QStringLiteral("Print one JSON document instead of lines.")};
    QCommandLineOption address{QStringLiteral("address"),
                               QStringLiteral("search: ask this module alone instead of "
                                              "broadcasting."),
                               QStringLiteral("IP")};
    QCommandLineOption only{QStringLiteral("only"),
                            QStringLiteral("restore: only these parts, comma-separated "
                                           "(routes,power,options,edid)."),
                            QStringLiteral("LIST")};
    QCommandLineOption interval{QStringLiteral("interval"),
                                QStringLiteral("watch: seconds between reads (2 unless told); "
                                               "longer while nothing changes."),
                                QStringLiteral("S")};
    QCommandLineOption listen{QStringLiteral("listen"),
                              QStringLiteral("serve: the address and port to listen on "
                                             "(127.0.0.1:8787 unless told)."),
                              QStringLiteral("ADDRESS:PORT")};
    QCommandLineOption tokenFile{QStringLiteral("token-file"),
                                 QStringLiteral("serve: the API token is this file's first "
                                                "line; a new one is made when it is missing."),
                                 QStringLiteral("FILE")};
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("Show the options and every command.")};

    void addTo(QCommandLineParser& parser) const {
        parser.addOptions(
            {serial, tcp, settings, json, address, only, interval, listen, tokenFile, help});
        parser.addPositionalArgument(QStringLiteral("command"),
                                     QStringLiteral("The command and its arguments."));
    }
};

}  // namespace

QString optionsHelp() {
    QCommandLineParser parser;
    Options().addTo(parser);
    return parser.helpText();
}

std::variant<Invocation, UsageError> parseInvocation(const QStringList& arguments) {
    QCommandLineParser parser;
    const Options options;
    options.addTo(parser);
    if (!parser.parse(QStringList{QStringLiteral("matrixctl")} + arguments))
        return UsageError{parser.errorText()};
    Invocation invocation;
    invocation.serialPath = parser.value(options.serial);
    invocation.tcpAddress = parser.value(options.tcp);
    invocation.settingsPath = parser.value(options.settings);
    invocation.searchAddress = parser.value(options.address);
    invocation.only = parser.value(options.only);
    invocation.interval = parser.value(options.interval);
    invocation.listen = parser.value(options.listen);
    invocation.tokenFile = parser.value(options.tokenFile);
    invocation.json = parser.isSet(options.json);
    invocation.help = parser.isSet(options.help);
    invocation.words = parser.positionalArguments();
    if (parser.isSet(options.serial) && parser.isSet(options.tcp))
        return UsageError{QStringLiteral("Give --serial or --tcp, not both")};
    if (!invocation.help && invocation.words.isEmpty())
        return UsageError{QStringLiteral("No command given; see matrixctl --help")};
    return invocation;
}

}  // namespace cli

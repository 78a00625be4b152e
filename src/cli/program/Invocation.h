#pragma once

#include <QString>
#include <QStringList>
#include <variant>

namespace cli {

// The command line after the options are taken out.
struct Invocation {
    QString serialPath;
    QString tcpAddress;    // ADDRESS or ADDRESS:PORT
    QString settingsPath;  // empty: where the window keeps it
    QString searchAddress;
    QString only;
    QString interval;   // watch: seconds between reads while nothing changes
    QString listen;     // serve: ADDRESS:PORT
    QString tokenFile;  // serve: the file that holds the API token
    bool json = false;
    bool help = false;
    QStringList words;  // the command and its arguments
};

struct UsageError {
    QString text;
};

// The options' text as --help prints it.
QString optionsHelp();
// Reads the arguments without the program name; never exits.
std::variant<Invocation, UsageError> parseInvocation(const QStringList& arguments);

}  // namespace cli

#pragma once

#include <QJsonObject>
#include <QStringList>
#include <QTextStream>

#include "cli/program/Context.h"
#include "cli/program/Outcome.h"

namespace cli {

// Where the program writes; progress lines go to the error stream only when it is a terminal.
struct Streams {
    QTextStream& out;
    QTextStream& err;
    bool errIsTerminal = false;
};

// One command (`words`: its name and arguments) over the context's session; the first failure
// the link reported decides the exit status. The bridge runs its operations through this too.
Outcome runCommand(Context& context, const QStringList& words);
// The `--json` document of a finished command.
QJsonObject outcomeDocument(const Outcome& outcome, const QString& command);

// The whole program after QCoreApplication exists: arguments without the program name in,
// exit status out.
int runProgram(const QStringList& arguments, Streams streams);

}  // namespace cli

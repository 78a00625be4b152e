#pragma once

#include <QStringList>
#include <QTextStream>

namespace cli {

// Where the program writes; progress lines go to the error stream only when it is a terminal.
struct Streams {
    QTextStream& out;
    QTextStream& err;
    bool errIsTerminal = false;
};

// The whole program after QCoreApplication exists: arguments without the program name in,
// exit status out.
int runProgram(const QStringList& arguments, Streams streams);

}  // namespace cli

#include <unistd.h>

#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

#include "cli/program/Program.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    return cli::runProgram(app.arguments().mid(1), {out, err, isatty(STDERR_FILENO) == 1});
}

#pragma once

#include <QStringList>
#include <array>

#include "cli/program/Arguments.h"
#include "cli/program/Context.h"
#include "cli/program/Outcome.h"

// One function per command; `args` are the words after the command's name. Arguments are read
// in full before the first exchange, so a wrong one sends nothing.
namespace cli {

Outcome runStatus(Context& context, const QStringList& args);
Outcome runPower(Context& context, const QStringList& args);
Outcome runOption(Context& context, const QStringList& args);
Outcome runRoute(Context& context, const QStringList& args);
Outcome runRoutes(Context& context, const QStringList& args);
Outcome runPreset(Context& context, const QStringList& args);
Outcome runEdid(Context& context, const QStringList& args);
Outcome runSearch(Context& context, const QStringList& args);
Outcome runModule(Context& context, const QStringList& args);
Outcome runUpgrade(Context& context, const QStringList& args);
Outcome runBackup(Context& context, const QStringList& args);
Outcome runRestore(Context& context, const QStringList& args);
Outcome runDiff(Context& context, const QStringList& args);
Outcome runWatch(Context& context, const QStringList& args);
Outcome runServe(Context& context, const QStringList& args);

// "Output1: Input3" lines and the "routes" key (input per output, output 1 first).
void addRoutes(Outcome& out, const std::array<int, kPortCount>& routes);

}  // namespace cli

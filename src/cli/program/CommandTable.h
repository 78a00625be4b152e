#pragma once

#include <QString>
#include <span>

#include "cli/program/Context.h"
#include "cli/program/Outcome.h"

namespace cli {

struct CommandSpec {
    const char* name;
    const char* usage;
    const char* summary;
    const char* example;
    Outcome (*run)(Context& context, const QStringList& args);
};

std::span<const CommandSpec> commandTable();
// The options, then every command with its usage and an example.
QString helpText();

}  // namespace cli

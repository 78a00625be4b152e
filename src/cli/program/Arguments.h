#pragma once

#include <QString>
#include <QStringList>

// Readers of command arguments; each throws a usage Rejection for a word it cannot take.
namespace cli {

constexpr int kPortCount = 6;

// Checks the argument count: exactly `count` words after the command's own words.
void requireCount(const QStringList& args, qsizetype count, const QString& usage);
// A port 1 to 6; `what` names it in the error ("output", "input").
int portArg(const QString& word, const QString& what);
bool onOffArg(const QString& word);
// Four dotted decimal fields 0 to 255; a short form such as "10.0.0", which the socket
// functions would read as 10.0.0.0, is refused.
void requireIpv4(const QString& text);
// One of `choices`, returned as its index.
int choiceArg(const QString& word, const QStringList& choices, const QString& what);

}  // namespace cli

#include "cli/program/Arguments.h"

#include <algorithm>

#include "cli/program/ExitCode.h"
#include "cli/program/Rejection.h"

namespace cli {

void requireCount(const QStringList& args, qsizetype count, const QString& usage) {
    if (args.size() != count) throw Rejection(kExitUsage, QStringLiteral("Usage: ") + usage);
}

int portArg(const QString& word, const QString& what) {
    bool ok = false;
    const int port = word.toInt(&ok);
    if (!ok || port < 1 || port > kPortCount)
        throw Rejection(
            kExitUsage,
            QStringLiteral("Not an %1 1 to %2: \"%3\"").arg(what).arg(kPortCount).arg(word));
    return port;
}

bool onOffArg(const QString& word) {
    return choiceArg(word, {QStringLiteral("off"), QStringLiteral("on")},
                     QStringLiteral("on|off")) == 1;
}

void requireIpv4(const QString& text) {
    const QStringList fields = text.split(u'.');
    const bool good =
        fields.size() == 4 && std::all_of(fields.begin(), fields.end(), [](const QString& field) {
            bool ok = false;
            const int value = field.toInt(&ok);
            return ok && field.size() <= 3 && field.front().isDigit() && value <= 255;
        });
    if (!good) throw Rejection(kExitUsage, QStringLiteral("Not an IPv4 address: \"%1\"").arg(text));
}

int choiceArg(const QString& word, const QStringList& choices, const QString& what) {
    const qsizetype index = choices.indexOf(word.toLower());
    if (index < 0)
        throw Rejection(kExitUsage, QStringLiteral("Expected %1, not \"%2\"").arg(what, word));
    return static_cast<int>(index);
}

}  // namespace cli

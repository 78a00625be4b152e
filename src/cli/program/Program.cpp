#include "cli/program/Program.h"

#include <QJsonDocument>

#include "cli/program/CommandTable.h"
#include "cli/program/ExitCode.h"
#include "cli/program/Rejection.h"
#include "core/OperatorTexts.h"

namespace cli {

namespace {

const CommandSpec* findCommand(const QString& name) {
    for (const CommandSpec& command : commandTable()) {
        if (name == QLatin1String(command.name)) return &command;
    }
    return nullptr;
}

Outcome dispatch(Context& context, const QStringList& words) {
    const CommandSpec* command = findCommand(words.first());
    if (!command)
        return Outcome::rejected(
            kExitUsage,
            QStringLiteral("Unknown command \"%1\"; see matrixctl --help").arg(words.first()));
    Outcome outcome;
    try {
        outcome = command->run(context, words.mid(1));
    } catch (const Rejection& rejection) {
        return Outcome::rejected(rejection.exitCode(), rejection.text());
    }
    // The first failure the link reported decides, even for a command that went on past it
    // (a port whose status could not be read).
    core::Connection* session = context.openedSession();
    if (session && session->failure() && outcome.exitCode == kExitDone) {
        outcome.completed = false;
        outcome.exitCode = ExitCodeFor(session->failure()->kind);
        outcome.error = session->failure()->text;
    } else if (!outcome.completed && outcome.exitCode == kExitDone) {
        outcome.exitCode = kExitNoReply;
        outcome.error = core::FailureText(devlink::FailureKind::TimedOut);
    }
    return outcome;
}

}  // namespace

Outcome runCommand(Context& context, const QStringList& words) {
    Outcome outcome = dispatch(context, words);
    // The window's texts may break a line; here an error is one line.
    outcome.error.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    return outcome;
}

QJsonObject outcomeDocument(const Outcome& outcome, const QString& command) {
    QJsonObject json = outcome.json;
    json[QStringLiteral("command")] = command;
    json[QStringLiteral("ok")] = outcome.exitCode == kExitDone;
    json[QStringLiteral("exitCode")] = outcome.exitCode;
    if (!outcome.error.isEmpty()) json[QStringLiteral("error")] = outcome.error;
    return json;
}

namespace {

void print(const Outcome& outcome, const Invocation& invocation, Streams& streams) {
    if (outcome.streamed && outcome.error.isEmpty()) return;
    if (invocation.json) {
        streams.out << QJsonDocument(outcomeDocument(outcome, invocation.words.value(0)))
                           .toJson(QJsonDocument::Indented);
    } else {
        for (const QString& line : outcome.lines) streams.out << line << '\n';
    }
    streams.out.flush();
    if (!outcome.error.isEmpty()) streams.err << outcome.error << '\n';
    streams.err.flush();
}

}  // namespace

int runProgram(const QStringList& arguments, Streams streams) {
    auto parsed = parseInvocation(arguments);
    if (auto* error = std::get_if<UsageError>(&parsed)) {
        streams.err << error->text << '\n';
        streams.err.flush();
        return kExitUsage;
    }
    Invocation& invocation = std::get<Invocation>(parsed);
    if (invocation.help) {
        streams.out << helpText();
        streams.out.flush();
        return kExitDone;
    }
    Context context(invocation, streams.errIsTerminal ? &streams.err : nullptr, streams.out);
    const Outcome outcome = runCommand(context, invocation.words);
    print(outcome, invocation, streams);
    return outcome.exitCode;
}

}  // namespace cli

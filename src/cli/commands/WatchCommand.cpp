#include <QJsonDocument>
#include <QTimer>

#include "cli/commands/Handlers.h"
#include "cli/program/Arguments.h"
#include "cli/program/ExitCode.h"
#include "cli/program/Rejection.h"
#include "cli/state/ChangeEvents.h"
#include "cli/state/FollowUntilSignalled.h"
#include "cli/state/StatusDocument.h"
#include "core/Follower.h"

namespace cli {

namespace {

constexpr int kLongestIntervalS = 3600;

int intervalMs(const QString& text) {
    if (text.isEmpty()) return core::Follower::kFirstIntervalMs;
    bool ok = false;
    const int seconds = text.toInt(&ok);
    if (!ok || seconds < 1 || seconds > kLongestIntervalS)
        throw Rejection(kExitUsage,
                        QStringLiteral("--interval takes whole seconds from 1 to %1, not \"%2\"")
                            .arg(kLongestIntervalS)
                            .arg(text));
    return seconds * 1000;
}

// Prints what the follower sees: the whole status once the line is first up, then each change.
class Watcher final : public QObject {
public:
    Watcher(Context& context, core::Connection& connection, core::SwitcherState& state)
        : context_(context), connection_(connection) {
        connect(&state, &core::SwitcherState::changed, this,
                [this](const core::StateChange& change) { onChange(change); });
    }

private:
    void onChange(const core::StateChange& change) {
        if (started_) {
            print(changeJson(change), {changeLine(change)});
            return;
        }
        if (change.kind != core::StateChange::Kind::Line || !change.on) return;
        started_ = true;
        // Read once the follower's pass has unwound, so the reads do not run inside it.
        QTimer::singleShot(0, this, [this] { printState(); });
    }

    void printState() {
        const Outcome status = readStatus(connection_);
        connection_.clearFailure();
        QJsonObject json{{QStringLiteral("event"), QStringLiteral("state")}};
        for (auto it = status.json.begin(); it != status.json.end(); ++it)
            json.insert(it.key(), it.value());
        print(json, status.lines);
    }

    void print(const QJsonObject& json, const QStringList& lines) {
        QTextStream& out = context_.live();
        if (context_.invocation().json) {
            out << QJsonDocument(json).toJson(QJsonDocument::Compact) << '\n';
        } else {
            for (const QString& line : lines) out << line << '\n';
        }
        out.flush();
    }

    Context& context_;
    core::Connection& connection_;
    bool started_ = false;
};

}  // namespace

Outcome runWatch(Context& context, const QStringList& args) {
    requireCount(args, 0, QStringLiteral("watch [--interval S]"));
    const int firstIntervalMs = intervalMs(context.invocation().interval);
    core::Connection& connection = context.session();
    core::SwitcherState state;
    core::Follower follower(connection.link(), connection.guard(), connection.clock(), state);
    follower.setFirstInterval(firstIntervalMs);
    const Watcher watcher(context, connection, state);
    return followUntilSignalled(connection, follower);
}

}  // namespace cli

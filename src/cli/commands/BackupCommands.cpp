#include <QJsonArray>
#include <functional>

#include "cli/commands/BackupFile.h"
#include "cli/commands/EdidLink.h"
#include "cli/commands/Handlers.h"
#include "cli/program/ExitCode.h"
#include "cli/program/Rejection.h"
#include "core/OperatorTexts.h"
#include "core/PanelOption.h"
#include "core/operations/StatusReads.h"

// A room's whole state to a file and back. Only what the switcher can send is read back; the
// tags and pre-settings belong to the window's Settings.ini, which this program never writes.
namespace cli {

using devlink::Command;
using devlink::MakeCommand;

namespace {

const QStringList kParts = {QStringLiteral("routes"), QStringLiteral("power"),
                            QStringLiteral("options"), QStringLiteral("edid")};

QString onOff(bool on) {
    return on ? QStringLiteral("on") : QStringLiteral("off");
}

// The switcher's state; nothing when a read failed. Routes and options need it switched on.
std::optional<Backup> readSwitcher(core::Connection& session) {
    Backup live;
    const std::optional<bool> power = session.readPower();
    if (!power) return std::nullopt;
    live.power = *power;
    if (!live.power) return live;
    const auto routes = core::readRoutes(session.runner());
    if (!routes) return std::nullopt;
    live.routes = *routes;
    const auto options = core::readOptions(session.runner());
    if (!options) return std::nullopt;
    live.options = *options;
    return live;
}

void readSettings(Context& context, Backup& backup) {
    const config::SettingsData& settings = context.settings();
    backup.tags = context.portTags();
    backup.presetNames = settings.presetNames;
    backup.presetValues = settings.presetValues;
}

QStringList switcherDifferences(const Backup& file, const Backup& live, const QStringList& parts) {
    QStringList lines;
    if (parts.contains(QStringLiteral("power")) && file.power != live.power)
        lines << QStringLiteral("power: switcher %1, backup %2")
                     .arg(onOff(live.power), onOff(file.power));
    if (!live.power) {
        lines << QStringLiteral("routes and options not compared: the switcher is off");
        return lines;
    }
    for (int output = 1; parts.contains(QStringLiteral("routes")) && output <= kPortCount;
         ++output) {
        if (file.routes[output - 1] != live.routes[output - 1])
            lines << QStringLiteral("route Output%1: switcher Input%2, backup Input%3")
                         .arg(output)
                         .arg(live.routes[output - 1])
                         .arg(file.routes[output - 1]);
    }
    for (int i = 0; parts.contains(QStringLiteral("options")) && i < core::kOptionCount; ++i) {
        if (file.options[i] != live.options[i])
            lines << QStringLiteral("option %1: switcher %2, backup %3")
                         .arg(core::optionKeys()[i], onOff(live.options[i]),
                              onOff(file.options[i]));
    }
    return lines;
}

QStringList settingsDifferences(const Backup& file, const Backup& live) {
    QStringList lines;
    const auto tags = [&](const char* side, const auto& ours, const auto& theirs) {
        for (int port = 1; port <= kPortCount; ++port) {
            if (ours[port - 1] != theirs[port - 1])
                lines << QStringLiteral("%1 tag %2: settings \"%3\", backup \"%4\"")
                             .arg(QLatin1String(side))
                             .arg(port)
                             .arg(theirs[port - 1], ours[port - 1]);
        }
    };
    tags("input", file.tags.inputs, live.tags.inputs);
    tags("output", file.tags.outputs, live.tags.outputs);
    for (int row = 1; row <= config::kPresetCount; ++row) {
        if (file.presetNames[row - 1] != live.presetNames[row - 1] ||
            file.presetValues[row - 1] != live.presetValues[row - 1])
            lines << QStringLiteral("pre-setting %1: settings \"%2\" %3, backup \"%4\" %5")
                         .arg(row)
                         .arg(live.presetNames[row - 1], live.presetValues[row - 1].join(u','),
                              file.presetNames[row - 1], file.presetValues[row - 1].join(u','));
    }
    return lines;
}

Outcome differencesOutcome(const QStringList& differences) {
    Outcome out;
    out.lines = differences.isEmpty() ? QStringList{QStringLiteral("No differences")} : differences;
    out.json[QStringLiteral("differences")] = QJsonArray::fromStringList(differences);
    out.json[QStringLiteral("same")] = differences.isEmpty();
    return out;
}

QStringList onlyParts(const QString& only) {
    if (only.isEmpty()) return kParts;
    const QStringList parts = only.split(u',');
    for (const QString& part : parts) {
        if (!kParts.contains(part))
            throw Rejection(
                kExitUsage,
                QStringLiteral("--only takes %1, not \"%2\"").arg(kParts.join(u','), part));
    }
    return parts;
}

struct Step {
    QString name;
    std::function<bool()> run;
};

// In the order that works: on before anything powered, off after everything else.
std::vector<Step> restoreSteps(core::Connection& session, const Backup& b,
                               const QStringList& parts) {
    std::vector<Step> steps;
    const auto power = [&session](bool on) {
        return [&session, on] {
            return session.run(MakeCommand(Command::SetPower, devlink::OnOffValue(on)))
                       .succeeded() &&
                   session.readPower() == on;
        };
    };
    if (parts.contains(QStringLiteral("power")) && b.power)
        steps.push_back({QStringLiteral("power on"), power(true)});
    for (int output = 1; parts.contains(QStringLiteral("routes")) && output <= kPortCount;
         ++output) {
        const auto input = quint16(b.routes[output - 1]);
        steps.push_back({QStringLiteral("route Output%1").arg(output), [&session, input, output] {
                             return session
                                 .run(MakeCommand(Command::SetRoute, input, quint16(output)))
                                 .succeeded();
                         }});
    }
    for (int i = 0; parts.contains(QStringLiteral("options")) && i < core::kOptionCount; ++i) {
        const devlink::CommandRequest set = MakeCommand(
            core::CommandsOf(core::kPanelOptions[i]).set, devlink::OnOffValue(b.options[i]));
        steps.push_back({QStringLiteral("option ") + core::optionKeys()[i],
                         [&session, set] { return session.run(set).succeeded(); }});
    }
    for (int i = 0; parts.contains(QStringLiteral("edid")) && i < kPortCount; ++i) {
        if (!b.inputEdids[i]) continue;
        const QByteArray image = *b.inputEdids[i];
        steps.push_back({QStringLiteral("EDID Input%1").arg(i + 1), [&session, image, i] {
                             return writeEdid(session, *device::downloadEdidCommand(i + 1), image);
                         }});
    }
    for (int m = 0; parts.contains(QStringLiteral("edid")) && m < kUserMemoryCount; ++m) {
        if (!b.memoryEdids[m]) continue;
        const QByteArray image = *b.memoryEdids[m];
        steps.push_back({QStringLiteral("EDID User%1 Memory").arg(m + 1), [&session, image, m] {
                             return writeEdid(
                                 session, *device::downloadEdidCommand(kPortCount + 2 + m), image);
                         }});
    }
    if (parts.contains(QStringLiteral("power")) && !b.power)
        steps.push_back({QStringLiteral("power off"), power(false)});
    return steps;
}

QStringList stepNames(const std::vector<Step>& steps, std::size_t from, std::size_t to) {
    QStringList names;
    for (std::size_t i = from; i < to; ++i) names << steps[i].name;
    return names;
}

}  // namespace

Outcome runBackup(Context& context, const QStringList& args) {
    requireCount(args, 1, QStringLiteral("backup FILE.json"));
    core::Connection& session = context.session();
    std::optional<Backup> backup = readSwitcher(session);
    if (!backup) return Outcome().stop();
    if (!backup->power)
        throw Rejection(kExitRefused, core::FailureText(devlink::FailureKind::SwitcherOff));
    readSettings(context, *backup);
    writeBackupFile(args[0], *backup);
    Outcome out;
    out.lines << QStringLiteral("Backup written to ") + args[0];
    out.json[QStringLiteral("file")] = args[0];
    out.json[QStringLiteral("backup")] = backupToJson(*backup);
    return out;
}

Outcome runDiff(Context& context, const QStringList& args) {
    requireCount(args, 1, QStringLiteral("diff FILE.json"));
    const Backup file = readBackupFile(args[0]);
    Backup live;
    readSettings(context, live);
    const std::optional<Backup> switcher = readSwitcher(context.session());
    if (!switcher) return Outcome().stop();
    QStringList differences = switcherDifferences(file, *switcher, kParts);
    differences << settingsDifferences(file, live);
    return differencesOutcome(differences);
}

Outcome runRestore(Context& context, const QStringList& args) {
    requireCount(args, 1, QStringLiteral("restore FILE.json [--only routes,power,options,edid]"));
    const QStringList parts = onlyParts(context.invocation().only);
    const Backup file = readBackupFile(args[0]);
    core::Connection& session = context.session();
    const std::vector<Step> steps = restoreSteps(session, file, parts);
    for (std::size_t i = 0; i < steps.size(); ++i) {
        context.progress(QStringLiteral("Restoring %1 (%2 of %3)")
                             .arg(steps[i].name)
                             .arg(i + 1)
                             .arg(steps.size()));
        if (steps[i].run()) continue;
        context.progress(QString());
        const core::Failure failure = session.failure().value_or(core::Failure{
            devlink::FailureKind::TimedOut, core::FailureText(devlink::FailureKind::TimedOut)});
        Outcome out = Outcome::rejected(
            ExitCodeFor(failure.kind),
            failure.text + QStringLiteral("\nRestore stopped at %1; written: %2; not written: %3")
                               .arg(steps[i].name,
                                    stepNames(steps, 0, i).join(QStringLiteral(", ")),
                                    stepNames(steps, i, steps.size()).join(QStringLiteral(", "))));
        out.json[QStringLiteral("written")] = QJsonArray::fromStringList(stepNames(steps, 0, i));
        out.json[QStringLiteral("notWritten")] =
            QJsonArray::fromStringList(stepNames(steps, i, steps.size()));
        return out;
    }
    context.progress(QString());
    const std::optional<Backup> live = readSwitcher(session);
    if (!live) return Outcome().stop();
    Outcome out = differencesOutcome(switcherDifferences(file, *live, parts));
    out.lines.prepend(QStringLiteral("Restored: ") +
                      stepNames(steps, 0, steps.size()).join(QStringLiteral(", ")));
    out.json[QStringLiteral("written")] =
        QJsonArray::fromStringList(stepNames(steps, 0, steps.size()));
    return out;
}

}  // namespace cli

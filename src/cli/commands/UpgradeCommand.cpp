#include <QJsonArray>

#include "cli/commands/Handlers.h"
#include "cli/program/ExitCode.h"
#include "cli/program/Rejection.h"
#include "core/operations/FirmwareUpgrade.h"
#include "firmware/FirmwareFile.h"

// The core's upgrade: its message lines become output lines, the gauge and the reboot wait a
// progress line.
namespace cli {

namespace {

class ConsoleUpgrade final : public core::UpgradeProgress {
public:
    explicit ConsoleUpgrade(Context& context) : context_(context) {}

    void addMessage(const QString& line) override { lines << line; }
    void showProgress(const QString& caption, int percent) override {
        context_.progress(QStringLiteral("%1 %2%").arg(caption).arg(percent));
    }
    void setUpgrading(bool) override {}
    void showStatus(devlink::StatusPanel, const QString&, bool) override {}
    void addRebootLine(const QString& text, bool) override { context_.progress(text); }

    QStringList lines;

private:
    Context& context_;
};

// Every header is checked before the first part goes out, so a damaged file sends nothing.
void checkFirmwareFile(const QString& path) {
    const device::FileReadResult file = device::ReadFirmwareFile(path);
    if (!file.ok()) throw Rejection(kExitBadFile, device::FirmwareFileProblemText(path, file));
    const device::FirmwareSummary summary = device::SummariseFirmware(file.bytes);
    if (!summary.everyHeaderChecks)
        throw Rejection(kExitBadFile, device::FirmwareSummaryText(summary));
}

}  // namespace

Outcome runUpgrade(Context& context, const QStringList& args) {
    requireCount(args, 1, QStringLiteral("upgrade FILE.fw"));
    checkFirmwareFile(args[0]);
    core::Connection& session = context.session();
    ConsoleUpgrade console(context);
    core::FirmwareUpgrade upgrade(session.link(), session.guard(), session.runner(), console);
    const QMetaObject::Connection parts =
        QObject::connect(&session.link(), &devlink::TVKCOMControl::notified, &session.link(),
                         [&](const devlink::LinkNotification& n) { upgrade.notified(n); });
    const core::OperationResult result = upgrade.run(args[0]);
    QObject::disconnect(parts);
    context.progress(QString());
    Outcome out;
    out.lines = console.lines;
    out.json[QStringLiteral("messages")] = QJsonArray::fromStringList(console.lines);
    if (result.ok()) return out;
    // Without a line of the upgrade's own, the link has told the session why.
    if (result.text.isEmpty()) return out.stop();
    out.completed = false;
    out.exitCode = ExitCodeFor(result.failure);
    out.error = result.text;
    return out;
}

}  // namespace cli

#include <QJsonArray>

#include "cli/ExitCode.h"
#include "cli/Handlers.h"
#include "cli/Rejection.h"
#include "firmware/FirmwareFile.h"
#include "firmware/FirmwareTransfer.h"
#include "ui/presenters/fwupgrade/FwUpgradePresenter.h"

// The window's upgrade, run by its own presenter: the tab's message lines become output
// lines, the gauge a progress line.
namespace cli {

namespace {

const QString kSuccess = QStringLiteral("Firmware upgrade successfully!");
const QString kRebootFailed = QString::fromLatin1(devlink::kRebootFailedText);

class ConsoleUpgradeView final : public ui::FwUpgradeView {
public:
    ConsoleUpgradeView(QString path, Context& context)
        : path_(std::move(path)), context_(context) {}

    QString firmwarePath() const override { return path_; }
    void setFirmwarePath(const QString& path) override { path_ = path; }
    void setFileSummary(const QString&) override {}
    void addMessage(const QString& line) override { lines << line; }
    void showProgress(const QString& caption, int percent) override {
        context_.progress(QStringLiteral("%1 %2%").arg(caption).arg(percent));
    }
    void setUpgrading(bool) override {}
    void showStatus(devlink::StatusPanel, const QString& text, bool alert) override {
        if (alert) alerts << text;
    }

    QStringList lines;
    QStringList alerts;

private:
    QString path_;
    Context& context_;
};

// The upgrade asks nothing of the operator once it runs.
class NoDialogs final : public ui::Dialogs {
public:
    void information(const QString&) override {}
    void error(const QString&) override {}
    bool question(const QString&) override { return false; }
    QString openFileName(const QString&) override { return {}; }
    QString saveFileName(const QString&) override { return {}; }
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
    ConsoleUpgradeView view(args[0], context);
    NoDialogs dialogs;
    ui::FwUpgradePresenter presenter(session.link(), session.guard(), session.runner(), view,
                                     dialogs);
    bool declined = false;
    bool rebootFailed = false;
    const QMetaObject::Connection parts =
        QObject::connect(&session.link(), &devlink::TVKCOMControl::notified, &session.link(),
                         [&](const devlink::LinkNotification& n) {
                             if (n.message == devlink::WM_LINK_PARTREFUSED) {
                                 declined = true;
                                 presenter.PartRefused(quint16(n.wParam), quint16(n.lParam));
                             } else if (n.message == devlink::WM_LINK_PROGRESS) {
                                 presenter.PartProgress(quint16(n.wParam), quint16(n.lParam));
                             } else if (n.message == devlink::WM_LINK_STATUS) {
                                 rebootFailed |= n.text == kRebootFailed;
                                 context.progress(n.text);
                             }
                         });
    presenter.btnUpgradeClick();
    QObject::disconnect(parts);
    context.progress(QString());
    Outcome out;
    out.lines = view.lines;
    out.json[QStringLiteral("messages")] = QJsonArray::fromStringList(view.lines);
    // A declined part fails the upgrade even when the window goes on to the reboot and its
    // success line (a part declined before the last one).
    if (declined || rebootFailed) {
        out.completed = false;
        out.exitCode = kExitRefused;
        out.error = declined ? view.alerts.value(0, view.lines.value(view.lines.size() - 1))
                             : kRebootFailed;
    } else if (!view.lines.contains(kSuccess)) {
        out.completed = false;
    }
    return out;
}

}  // namespace cli

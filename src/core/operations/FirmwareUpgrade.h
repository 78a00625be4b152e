#pragma once

#include <QString>

#include "core/OperationResult.h"
#include "link/LinkNotification.h"
#include "link/StatusPanel.h"

namespace devlink {
class LinkGuard;
class TVKCOMControl;
}  // namespace devlink

namespace device {
class FirmwareReader;
}

namespace core {

class CommandRunner;

// What the operator sees of a firmware upgrade while it runs.
class UpgradeProgress {
public:
    virtual ~UpgradeProgress() = default;

    virtual void addMessage(const QString& line) = 0;
    // The gauge is drawn before this returns.
    virtual void showProgress(const QString& caption, int percent) = 0;
    // While upgrading the button is disabled and the message caret hidden.
    virtual void setUpgrading(bool upgrading) = 0;
    virtual void showStatus(devlink::StatusPanel panel, const QString& text, bool alert) = 0;
    // A line of the reboot wait; one that may replace a "System rebooting" line animates it.
    virtual void addRebootLine(const QString& text, bool mayReplaceRebooting) = 0;
};

// A merged firmware file sent section by section, then the switcher rebooted once every part
// went through. The link's notifications about the parts come in through notified(), from
// whoever listens to the link.
class FirmwareUpgrade {
public:
    FirmwareUpgrade(devlink::TVKCOMControl& link, devlink::LinkGuard& guard, CommandRunner& runner,
                    UpgradeProgress& progress);

    // A part the switcher declined, or a reboot it never came back from, fails the upgrade
    // (refused, with the line that says so) even where the lines go on to the success line.
    OperationResult run(const QString& path);
    // Declined parts, part progress and the reboot wait's lines.
    void notified(const devlink::LinkNotification& n);

private:
    OperationResult sendAndReboot(const QString& path);
    OperationResult sendSections(device::FirmwareReader& reader);
    OperationResult reboot();
    OperationResult badFile(const QString& problem);
    void partDeclined(quint16 groupAndCode, quint16 p1);
    void partProgress(quint16 part, quint16 percent);
    void message(const QString& line);

    devlink::TVKCOMControl& link_;
    devlink::LinkGuard& guard_;
    CommandRunner& runner_;
    UpgradeProgress& progress_;
    bool sectionDeclined_ = false;
    quint16 lastProgress_ = 0;
    // Over the whole run.
    bool anyDeclined_ = false;
    bool rebootFailed_ = false;
    QString firstDeclinedAlert_;
    QString lastLine_;
};

}  // namespace core

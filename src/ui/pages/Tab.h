#pragma once

#include <QObject>

#include "core/CommandHost.h"
#include "link/LinkNotification.h"
#include "settings/SettingsData.h"

class QWidget;

namespace core {
class CommandRunner;
}  // namespace core

namespace devlink {
class LinkGuard;
class TVKCOMControl;
}  // namespace devlink

namespace ui {

class DeviceStatusPresenter;
class Dialogs;
class TabWindow;

// What every tab is made from: the window's one link with its guard and command wrappers, and
// what the window shares with its tabs.
struct TabParts {
    devlink::TVKCOMControl& link;
    devlink::LinkGuard& guard;
    core::CommandRunner& runner;
    core::CommandHost& host;
    TabWindow& window;
    Dialogs& dialogs;
    DeviceStatusPresenter& deviceStatus;  // General's, which answers the link state queries
};

// One tab after General: its page, wired to the page's presenter. The window makes it from its
// tab table when the page is first needed, then tells it what happens to the window; a tab
// answers what concerns it and ignores the rest.
class Tab : public QObject {
    Q_OBJECT

public:
    // Handed once to the page control, which owns it from then on.
    virtual QWidget* page() = 0;

    // The tab's part of Settings.ini: taken when the tab is made and on every load.
    virtual void loadSettings(const config::SettingsData&) {}
    virtual void storeSettings(config::SettingsData&) const {}
    virtual void windowShown() {}
    virtual void pageShown() {}
    virtual void portTagsChanged(const config::PortTags&) {}
    // The serial port is the way to the switcher (COM control mode) and nothing holds the line.
    virtual void serialControlChanged(bool) {}
    // A route changed at the switcher, followed while "Follow changes" is ticked.
    virtual void routeFollowed(int, int, bool) {}
    virtual void linkNotified(const devlink::LinkNotification&) {}

signals:
    // The operator changed part of the settings; the window writes them at once.
    void settingsEdited();

protected:
    // The page's status texts go to the window's status bar.
    template <class Page>
    void forwardStatus(Page* page, core::CommandHost& host) {
        connect(page, &Page::statusShown, this,
                [&host](devlink::StatusPanel panel, const QString& text, bool alert) {
                    host.showStatus(panel, text, alert);
                });
    }
};

}  // namespace ui

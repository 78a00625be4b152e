#pragma once

#include <QString>
#include <memory>
#include <optional>

#include "cli/Invocation.h"
#include "cli/Session.h"
#include "settings/SettingsData.h"

namespace cli {

// What a command may use: the command line, the window's settings (read on first use, never
// written) and the switcher session (opened on first use, so a command that rejects its
// arguments first sends nothing).
class Context {
public:
    explicit Context(Invocation invocation);
    ~Context();

    const Invocation& invocation() const { return invocation_; }
    QString settingsPath() const;
    const ui::SettingsData& settings();
    // The tags of the saved connection (COM, or the chosen TCP device's MAC).
    ui::PortTags portTags();
    Target target();
    Session& session();
    // Nothing until a command opened the session.
    Session* openedSession() { return session_.get(); }

private:
    Invocation invocation_;
    std::optional<ui::SettingsData> settings_;
    std::unique_ptr<Session> session_;
};

}  // namespace cli

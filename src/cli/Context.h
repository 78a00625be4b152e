#pragma once

#include <QString>
#include <QTextStream>
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
    // Progress lines go to `progressStream` when there is one (a terminal), else nowhere.
    Context(Invocation invocation, QTextStream* progressStream);
    ~Context();

    const Invocation& invocation() const { return invocation_; }
    QString settingsPath() const;
    const ui::SettingsData& settings();
    // The tags of the saved connection (COM, or the chosen TCP device's MAC).
    ui::PortTags portTags();
    Target target();
    Session& session();
    // A session for the module protocol alone: searches need no switcher connection.
    Session& moduleSession(const QString& address);
    // Nothing until a command opened the session.
    Session* openedSession() { return session_.get(); }
    // Replaces the progress line; an empty text clears it.
    void progress(const QString& text);

private:
    Invocation invocation_;
    QTextStream* progressStream_;
    std::optional<ui::SettingsData> settings_;
    std::unique_ptr<Session> session_;
};

}  // namespace cli

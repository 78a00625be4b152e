#pragma once

#include <QString>
#include <QTextStream>
#include <memory>
#include <optional>

#include "cli/program/Invocation.h"
#include "core/Connection.h"
#include "settings/SettingsData.h"

namespace cli {

// What a command may use: the command line, the window's settings (read on first use, never
// written) and the switcher session (opened on first use, so a command that rejects its
// arguments first sends nothing).
class Context {
public:
    // Progress lines go to `progressStream` when there is one (a terminal), else nowhere;
    // long-running commands write their lines to `live` as they happen.
    Context(Invocation invocation, QTextStream* progressStream, QTextStream& live);
    ~Context();

    const Invocation& invocation() const { return invocation_; }
    QString settingsPath() const;
    const config::SettingsData& settings();
    // The tags of the saved connection (COM, or the chosen TCP device's MAC).
    config::PortTags portTags();
    core::Target target();
    core::Connection& session();
    // A session for the module protocol alone: searches need no switcher connection.
    core::Connection& moduleSession(const QString& address);
    // Nothing until a command opened the session.
    core::Connection* openedSession() { return session_.get(); }
    QTextStream& live() { return live_; }
    // Replaces the progress line; an empty text clears it.
    void progress(const QString& text);

private:
    Invocation invocation_;
    QTextStream* progressStream_;
    QTextStream& live_;
    std::optional<config::SettingsData> settings_;
    std::unique_ptr<core::Connection> session_;
};

}  // namespace cli

#include "cli/program/Context.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "cli/program/Arguments.h"
#include "cli/program/ExitCode.h"
#include "cli/program/Rejection.h"
#include "settings/DeviceEntry.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsLocation.h"

namespace cli {

namespace {

// The window's own folder name under the configuration location, whatever this program is
// called.
const QString kWindowConfigFolder = QStringLiteral("gui-controller");

core::Target tcpTarget(const QString& text) {
    const qsizetype colon = text.lastIndexOf(u':');
    core::Target target{core::Target::Kind::Tcp, colon < 0 ? text : text.left(colon)};
    if (colon >= 0) {
        bool ok = false;
        const uint port = text.mid(colon + 1).toUInt(&ok);
        if (!ok || port == 0 || port > 0xFFFF)
            throw Rejection(kExitUsage, QStringLiteral("Not a TCP port: \"%1\"").arg(text));
        target.port = static_cast<quint16>(port);
    }
    requireIpv4(target.where);
    return target;
}

}  // namespace

Context::Context(Invocation invocation, QTextStream* progressStream, QTextStream& live)
    : invocation_(std::move(invocation)), progressStream_(progressStream), live_(live) {}

void Context::progress(const QString& text) {
    if (!progressStream_) return;
    // Clear to the end of the line, so a shorter text leaves nothing of a longer one.
    *progressStream_ << '\r' << text << "\x1b[K";
    if (text.isEmpty()) *progressStream_ << '\r';
    progressStream_->flush();
}

Context::~Context() = default;

QString Context::settingsPath() const {
    if (!invocation_.settingsPath.isEmpty()) return invocation_.settingsPath;
    const QString configRoot =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return config::locateSettingsFile(QCoreApplication::applicationDirPath(),
                                      QDir(configRoot).filePath(kWindowConfigFolder));
}

const config::SettingsData& Context::settings() {
    if (!settings_) {
        const QString path = settingsPath();
        const QFileInfo file(path);
        if (!invocation_.settingsPath.isEmpty() && !(file.isFile() && file.isReadable()))
            throw Rejection(kExitBadFile, QStringLiteral("Cannot read %1").arg(path));
        config::LoadedSettings loaded = config::loadSettings(path);
        // Connections and pre-settings must not come from the defaults of a file gone bad.
        if (!loaded.problem.isEmpty()) throw Rejection(kExitBadFile, loaded.problem);
        settings_ = std::move(loaded.data);
    }
    return *settings_;
}

config::PortTags Context::portTags() {
    const config::SettingsData& data = settings();
    const bool com = !data.controlModeLan;
    const QString mac = com ? QString() : config::DeviceEntry::parse(data.lanDeviceName).mac;
    return config::loadPortTags(settingsPath(), com, mac);
}

core::Target Context::target() {
    if (!invocation_.serialPath.isEmpty())
        return core::Target{core::Target::Kind::Serial, invocation_.serialPath};
    if (!invocation_.tcpAddress.isEmpty()) return tcpTarget(invocation_.tcpAddress);
    const config::SettingsData& data = settings();
    const QString saved = data.controlModeLan ? data.lanDeviceName : data.comPortName;
    if (saved.isEmpty())
        throw Rejection(kExitUsage,
                        QStringLiteral("No connection saved in %1; give --serial PATH or --tcp "
                                       "ADDRESS")
                            .arg(settingsPath()));
    if (!data.controlModeLan) return core::Target{core::Target::Kind::Serial, saved};
    const config::DeviceEntry entry = config::DeviceEntry::parse(saved);
    core::Target target{core::Target::Kind::Tcp, entry.ip};
    target.mac = entry.mac;
    target.tag = entry.tag;
    return target;
}

core::Connection& Context::session() {
    if (session_) return *session_;
    session_ = std::make_unique<core::Connection>(target());
    QObject::connect(session_.get(), &core::Connection::moduleMoved, session_.get(),
                     [tag = session_->target().tag](const QString& ip) {
                         QTextStream(stderr)
                             << QStringLiteral(
                                    "Matrix %1 now answers at %2: using that address "
                                    "for this call\n")
                                    .arg(tag, ip);
                     });
    return *session_;
}

core::Connection& Context::moduleSession(const QString& address) {
    if (!session_)
        session_ = std::make_unique<core::Connection>(core::Target{
            core::Target::Kind::Tcp, address.isEmpty() ? QStringLiteral("0.0.0.0") : address});
    return *session_;
}

}  // namespace cli

#include "ui/platform/SystemServices.h"

#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>
#include <QStandardPaths>
#include <QThread>

#include "lan/TcpStreamClient.h"
#include "lan/UdpDatagramSocket.h"
#include "settings/SettingsLocation.h"
#include "transport/ComPort.h"

namespace ui {

QString simulatorLinkDir() {
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) +
           QStringLiteral("/matrix-sim");
}

namespace {

// Where serial device nodes and the terminals behind the simulator's links come and go.
const QString kDeviceDir = QStringLiteral("/dev");
const QString kTerminalDir = QStringLiteral("/dev/pts");

QString createdFolder(const QString& path) {
    QDir().mkpath(path);
    return path;
}

QStringList devicePortNames() {
    QStringList names;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        names.append(info.portName());
    }
    return names;
}

// A link left behind by a simulator that died points nowhere and is skipped.
QStringList linkPortNames(const QString& linkDir) {
    QStringList names;
    const QFileInfoList links = QDir(linkDir).entryInfoList(
        QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& entry : links) {
        if (entry.isSymLink() && QFileInfo::exists(entry.symLinkTarget())) {
            names.append(entry.absoluteFilePath());
        }
    }
    return names;
}

}  // namespace

SystemSerialPorts::SystemSerialPorts(QString linkDir)
    : linkDir_(createdFolder(linkDir)),
      deviceChanges_({kDeviceDir}),
      linkChanges_({kTerminalDir, linkDir_}) {
    // Watching starts before the first walk, so nothing that changes during it is missed.
    deviceChanges_.takeChange();
}

QStringList SystemSerialPorts::portNames() {
    // A change seen before the first walk is in that walk.
    const bool changed = deviceChanges_.takeChange();
    if (!walkedOnce_ || changed) devicePorts_ = devicePortNames();
    walkedOnce_ = true;
    if (linkChanges_.takeChange()) linkPorts_ = linkPortNames(linkDir_);
    return devicePorts_ + linkPorts_;
}

void ThreadSleeper::sleepMs(int ms) {
    QThread::msleep(static_cast<unsigned long>(ms));
}

TForm1Environment SystemServices::environment() {
    TForm1Environment env;
    env.linkParts.serial = std::make_unique<devlink::TComPort>();
    env.linkParts.tcp = std::make_unique<lan::TcpStreamClient>();
    env.linkParts.udp = std::make_unique<lan::UdpDatagramSocket>();
    env.linkParts.pump = &pump_;
    env.linkParts.clock = &clock_;
    env.linkParts.flags = &guard_;
    env.dialogs = &dialogs_;
    env.serialPorts = &serialPorts_;
    env.sleeper = &sleeper_;
    env.dateTime = &dateTime_;
    env.settingsPath = config::locateSettingsFile();
    return env;
}

}  // namespace ui

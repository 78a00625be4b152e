#pragma once

#include "link/LinkGuard.h"
#include "transport/EventLoopPump.h"
#include "ui/platform/PortChangeWatcher.h"
#include "ui/platform/WidgetDialogs.h"
#include "ui/platform/WindowServices.h"

namespace ui {

// Where a running matrix-sim publishes its terminal (matrix-sim --link <dir>/ttySIM0), so
// COM control mode can be tried without serial hardware or root rights.
QString simulatorLinkDir();

// Serial ports from Qt's port list, then the simulator's links that point at a live terminal.
// Qt's list walks every terminal in sysfs (some 10 ms): the window asks for it first once it has
// painted, and it is read again only when a device node came or went. The links are checked
// again only when a link or a pseudo-terminal came or went.
class SystemSerialPorts final : public SerialPortLister {
public:
    // Creates the link folder, so the simulator can publish its link there.
    explicit SystemSerialPorts(QString linkDir = simulatorLinkDir());
    QStringList portNames() override;
    bool portNamesKnown() const override { return walkedOnce_; }

private:
    QString linkDir_;
    PortChangeWatcher deviceChanges_;
    PortChangeWatcher linkChanges_;
    bool walkedOnce_ = false;
    QStringList devicePorts_;
    QStringList linkPorts_;
};

class ThreadSleeper final : public StatusSleeper {
public:
    void sleepMs(int ms) override;
};

class SystemDateTime final : public DateTimeSource {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

// The services of the real program; construct after the QApplication.
class SystemServices {
public:
    // A fresh link on the real serial port; TCP control mode has no client yet.
    TForm1Environment environment();

private:
    devlink::EventLoopPump pump_;
    devlink::SteadyClock clock_;
    devlink::LinkGuard guard_;
    WidgetDialogs dialogs_;
    SystemSerialPorts serialPorts_;
    ThreadSleeper sleeper_;
    SystemDateTime dateTime_;
};

}  // namespace ui

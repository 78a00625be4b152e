#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include "link/VKCOMControl.h"

namespace ui {

class Dialogs;

// The serial port names the operating system offers, in its order; may repeat a name.
class SerialPortLister {
public:
    virtual ~SerialPortLister() = default;
    virtual QStringList portNames() = 0;
    // False until the ports have been walked once, so a caller in a hurry can leave the walk for
    // later.
    virtual bool portNamesKnown() const { return true; }
};

// The window's blocking sleeps (alert blink, pause after connecting).
class StatusSleeper {
public:
    virtual ~StatusSleeper() = default;
    virtual void sleepMs(int ms) = 0;
};

// Local date and time for the status bar clock.
class DateTimeSource {
public:
    virtual ~DateTimeSource() = default;
    virtual QDateTime now() const = 0;
};

// What the main window is built from. The services are not owned and must outlive it; the link
// parts are handed to the link, and its guard (`linkParts.flags`) is the window's too: whoever
// holds it sees and sets what the window's commands see.
struct TForm1Environment {
    devlink::TVKCOMControl::Parts linkParts;
    Dialogs* dialogs = nullptr;
    SerialPortLister* serialPorts = nullptr;
    StatusSleeper* sleeper = nullptr;
    DateTimeSource* dateTime = nullptr;
    QString settingsPath;
};

}  // namespace ui

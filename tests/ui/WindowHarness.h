#pragma once

#include <QAbstractButton>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <vector>

#include "ScriptedDialogs.h"
#include "support/SimHarness.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/mainwindow/ProgramWindows.h"
#include "ui/mainwindow/StatusBar.h"

namespace testing_support {

// Shows the window and waits for the pages it builds once it has painted.
void showWithEveryPage(ui::TForm1& form);
// A button of the Setting page's routing panel: the input `tag` of output `groupIndex` (1 to 6),
// or with group 0 the arrow `tag`.
QAbstractButton* routeButton(const ui::TForm1& form, int groupIndex, int tag);

class FakePortLister final : public ui::SerialPortLister {
public:
    // Asking walks the ports.
    QStringList portNames() override {
        ++listings;
        known = true;
        return names;
    }
    bool portNamesKnown() const override { return known; }
    QStringList names;
    bool known = true;
    int listings = 0;
};

// Sleeps take no time; each one is recorded with the alert state of status panel 2.
class RecordingSleeper final : public ui::StatusSleeper {
public:
    void sleepMs(int ms) override {
        sleeps.push_back(ms);
        if (onSleep) onSleep(ms);
    }
    int totalMs() const;
    std::vector<int> sleeps;
    std::function<void(int)> onSleep;
};

class FixedDateTime final : public ui::DateTimeSource {
public:
    QDateTime now() const override { return value; }
    QDateTime value;
};

// The program's windows on the in-process simulator, with a settings file in a temporary folder.
struct WindowHarness {
    WindowHarness();
    ~WindowHarness();

    // Steps before create(): the file the program finds, the ports, a TCP client.
    void writeSettings(const QByteArray& content) const;
    void create();
    void show();  // create() if needed, then showWithEveryPage
    // Every page built without showing the window, for a look at the design state.
    void buildEveryPage();

    ui::TForm1& form() const { return windows->form1(); }
    ui::TStatusBar& statusBar() const;
    ui::ConnectionControl& connection() const;
    QString panel(int n) const { return statusBar().panelText(n); }
    bool alertShown() const { return statusBar().alertColours(); }

    // What the simulator's modules send back for a datagram from the window.
    std::vector<FakeDatagramSocket::Reply> answerModules(const FakeDatagramSocket::Sent& sent);

    template <class T>
    T* find(const QString& name) const {
        return form().findChild<T*>(name);
    }

    sim::SwitcherSim sim;
    VirtualClock clock;
    SimSerialTransport* transport = nullptr;  // owned by the link once created
    std::unique_ptr<SimSerialTransport> ownTransport;
    // The module socket: the simulator's Ethernet modules answer it a few milliseconds later.
    FakeDatagramSocket* datagrams = nullptr;  // owned by the link once created
    std::unique_ptr<FakeDatagramSocket> ownDatagrams;
    bool modulesHearBroadcast = true;  // false: the modules sit behind a router
    std::unique_ptr<SimPump> pump;
    // The window's guard: a test sets it to stand for a command still running or a stop asked.
    devlink::LinkGuard guard;
    std::unique_ptr<devlink::StreamClient> tcp;
    ScriptedDialogs dialogs;
    FakePortLister ports;
    RecordingSleeper sleeper;
    FixedDateTime dateTime;
    QTemporaryDir dir;
    QString settingsPath;
    std::unique_ptr<ui::ProgramWindows> windows;
};

}  // namespace testing_support

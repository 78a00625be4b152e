#include "WindowHarness.h"

#include <QFile>
#include <numeric>

namespace testing_support {

int RecordingSleeper::totalMs() const {
    return std::accumulate(sleeps.begin(), sleeps.end(), 0);
}

WindowHarness::WindowHarness()
    : ownTransport(std::make_unique<SimSerialTransport>(sim, clock)),
      pump(std::make_unique<SimPump>(clock, *ownTransport)),
      settingsPath(dir.filePath(QStringLiteral("Settings.ini"))) {
    transport = ownTransport.get();
}

WindowHarness::~WindowHarness() {
    windows.reset();
}

void WindowHarness::writeSettings(const QByteArray& content) const {
    QFile file(settingsPath);
    if (file.open(QIODevice::WriteOnly)) file.write(content);
}

void WindowHarness::create() {
    ui::TForm1Environment env;
    env.linkParts.serial = std::move(ownTransport);
    env.linkParts.tcp = std::move(tcp);
    env.linkParts.pump = pump.get();
    env.linkParts.clock = &clock;
    env.dialogs = &dialogs;
    env.serialPorts = &ports;
    env.sleeper = &sleeper;
    env.dateTime = &dateTime;
    env.settingsPath = settingsPath;
    windows = std::make_unique<ui::ProgramWindows>(std::move(env));
}

void WindowHarness::show() {
    if (!windows) create();
    form().show();
}

ui::TStatusBar& WindowHarness::statusBar() const {
    return *form().findChild<ui::TStatusBar*>(QStringLiteral("sb"));
}

}  // namespace testing_support

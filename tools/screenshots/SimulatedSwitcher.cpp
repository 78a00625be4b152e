#include "SimulatedSwitcher.h"

#include <QFile>

SimulatedSwitcher::SimulatedSwitcher()
    : transport_(std::make_unique<testing_support::SimSerialTransport>(sim_, clock_)),
      pump_(std::make_unique<testing_support::SimPump>(clock_, *transport_)) {}

void SimulatedSwitcher::attach(ui::TForm1Environment& environment) {
    environment.linkParts.serial = std::move(transport_);
    environment.linkParts.pump = pump_.get();
    environment.linkParts.clock = &clock_;
    environment.serialPorts = this;
    QFile settings(environment.settingsPath);
    if (settings.open(QIODevice::WriteOnly)) {
        settings.write(QByteArrayLiteral("[Control mode]\nMode=0\n[COM port]\nName=") + kPortName +
                       '\n');
    }
}

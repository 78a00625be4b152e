#pragma once

#include <memory>

#include "support/SimHarness.h"
#include "ui/platform/WindowServices.h"

// The in-process switcher simulator behind a window, in COM control mode on the port "ttySIM",
// so the pictures show what the window reads from a switcher.
class SimulatedSwitcher final : public ui::SerialPortLister {
public:
    static constexpr char kPortName[] = "ttySIM";

    SimulatedSwitcher();

    // Puts the simulated serial port, its pump and clock into the window's environment and
    // makes the settings file at its path select the simulator's port.
    void attach(ui::TForm1Environment& environment);
    QStringList portNames() override { return {QLatin1String(kPortName)}; }
    sim::SwitcherState& state() { return sim_.state(); }

private:
    sim::SwitcherSim sim_;
    testing_support::VirtualClock clock_;
    std::unique_ptr<testing_support::SimSerialTransport> transport_;
    std::unique_ptr<testing_support::SimPump> pump_;
};

#pragma once

#include <QAbstractButton>
#include <vector>

#include "WindowHarness.h"

namespace testing_support {

// A route the window sent: Set route with P2 = output and P1 = input.
struct SentRoute {
    int output;
    int input;
    bool operator==(const SentRoute&) const = default;
};

// The main window in COM control mode on the simulator, switched on, for the "Setting" and
// "Port Tag" tabs.
struct SettingWindow {
    // `settings` is appended to the COM mode lines of the settings file.
    explicit SettingWindow(const QByteArray& settings = {});

    void setPower(bool on);
    void showSettingPage();
    void showPortTagPage();

    QAbstractButton* inputButton(int output, int input) const;
    QAbstractButton* arrow(int tag) const;
    // What each digit display of outputs 1 to 6 shows, and the input button down in each.
    QStringList digits() const;
    std::vector<int> downButtons() const;
    void hover(QAbstractButton* button) const;
    void leave(QAbstractButton* button) const;
    void chooseMenuItem(const char* name) const;

    // Every Set route to the output is refused by the switcher.
    void refuseRoutesTo(int output);
    // Set route frames sent, the attempts of one exchange counted once.
    std::vector<SentRoute> routesSent() const;
    int routeReadsSent() const;
    std::vector<int> switcherRoutes();

    QString settingsText() const;
    // The routing presenter's mark that the last route change failed.
    bool routeFailed() const;

    WindowHarness h;
};

inline const QString kPowerOffText =
    QStringLiteral("System is power off, please turn it on first.");

}  // namespace testing_support

#pragma once

#include <QString>
#include <array>
#include <memory>
#include <vector>

#include "core/CommandRunner.h"
#include "support/LambdaHost.h"
#include "support/SimHarness.h"
#include "ui/presenters/setting/PresetPresenter.h"
#include "ui/presenters/setting/PresetView.h"
#include "ui/presenters/setting/RoutingPresenter.h"
#include "ui/presenters/setting/RoutingView.h"

namespace testing_support {

// The routing panel as the presenter left it, from the form's design (input 6 on every
// output); index 1 to 8 is the output.
struct RecordingRoutingView final : ui::RoutingView {
    RecordingRoutingView() {
        digits.fill(QStringLiteral("6"));
        down.fill(6);
    }
    void setDigitText(int output, const QString& text) override { digits.at(output) = text; }
    void setButtonDown(int output, int input) override { down.at(output) = input; }
    void setNoButtonDown(int output) override { down.at(output) = 0; }
    void setNoteText(const QString& text) override { note = text; }
    void showInOutInfo() override { ++infoShows; }
    void closeInOutInfo() override { ++infoCloses; }
    void flashOutput(int output) override { flashed.push_back(output); }

    std::array<QString, 9> digits;
    std::array<int, 9> down;
    QString note;
    int infoShows = 0;
    int infoCloses = 0;
    std::vector<int> flashed;
};

struct RecordingPresetView final : ui::PresetView {
    void showPresetRow(int row, const QString& name, const QStringList& cells) override {
        rows.at(row) = {name, cells};
    }
    void selectPresetRow(int row) override { selected = row; }

    std::array<ui::PresetPresenter::Row, 9> rows;
    int selected = 0;
};

struct Status {
    int panel;
    QString text;
    bool alert;
    bool operator==(const Status&) const = default;
};

struct Route {
    int output;
    int input;
    bool operator==(const Route&) const = default;
};

// The presenters over a connected link to the simulator, with the window faked.
struct PresenterHarness : LinkHarness {
    PresenterHarness();

    // Every Set route to the output and every Get output route of it is refused.
    void failOutput(int output);
    // Set route frames sent; repeats in a row (the attempts of one exchange) count once.
    std::vector<Route> routesSent() const;
    // The simulator's routes, output 1 first.
    std::vector<int> switcherRoutes();
    void setSwitcherRoutes(const std::array<quint8, 6>& routes);

    bool powerOn = true;
    std::vector<Status> status;
    std::vector<QString> boxes;
    RecordingRoutingView routingView;
    RecordingPresetView presetView;
    LambdaHost host;
    std::unique_ptr<core::CommandRunner> runner;
    std::unique_ptr<ui::RoutingPresenter> routing;
    std::unique_ptr<ui::PresetPresenter> presets;
};

inline const QString kPowerOffText =
    QStringLiteral("System is power off, please turn it on first.");

}  // namespace testing_support

#pragma once

#include <array>
#include <map>
#include <memory>
#include <vector>

#include "core/CommandRunner.h"
#include "support/LambdaHost.h"
#include "support/SimHarness.h"
#include "ui/presenters/advanced/PanelOptionsPresenter.h"
#include "ui/presenters/general/DeviceStatusPresenter.h"

namespace status_testing {

// Everything the window's status bar and message boxes got, in order.
struct WindowLog {
    struct Status {
        int panel;
        QString text;
        bool operator==(const Status&) const = default;
    };
    std::vector<Status> status;
    std::vector<QString> boxes;

    std::vector<QString> panel(int number) const;
};

struct FakeStatusView final : ui::DeviceStatusView {
    struct Label {
        QString text;
        bool bold = false;
        bool operator==(const Label&) const = default;
    };

    explicit FakeStatusView(WindowLog& log) : log(log) {}
    void setDeviceText(const QString& text) override { device = text; }
    void setVersionText(const QString& text) override { version = text; }
    void setPortLabel(int tag, const QString& text, ui::LabelWeight weight) override;
    void setPowerFace(bool on) override { faces.push_back(on); }
    void showStatus(devlink::StatusPanel panel, const QString& text, bool) override {
        log.status.push_back({static_cast<int>(panel), text});
    }
    void informationBox(const QString& text) override { log.boxes.push_back(text); }

    WindowLog& log;
    QString device = QStringLiteral("(unset)");
    QString version = QStringLiteral("(unset)");
    std::map<int, Label> labels;  // by Tag
    std::vector<bool> faces;      // every glyph change
};

// Radios that raise the click handler whenever their selection changes, as real ones do.
struct FakeOptionsView final : ui::PanelOptionsView {
    explicit FakeOptionsView(WindowLog& log) : log(log) {}
    void setOptionOn(core::PanelOption option, bool on) override;
    bool isOptionOn(core::PanelOption option) const override { return on[index(option)]; }
    void setOptionEnabled(core::PanelOption option, bool enabled) override {
        this->enabled[index(option)] = enabled;
    }
    void focusOptionRadio(core::PanelOption option, core::OptionRadio radio) override {
        focus.push_back({option, radio});
    }
    void showStatus(devlink::StatusPanel panel, const QString& text, bool) override {
        log.status.push_back({static_cast<int>(panel), text});
    }
    // The operator clicks a radio.
    void click(core::PanelOption option, core::OptionRadio radio);

    static std::size_t index(core::PanelOption option) { return static_cast<std::size_t>(option); }

    WindowLog& log;
    ui::PanelOptionsPresenter* presenter = nullptr;
    std::array<bool, 4> on{true, true, false, true};  // as the form starts: APM off
    std::array<bool, 4> enabled{true, true, true, true};
    std::vector<std::pair<core::PanelOption, core::OptionRadio>> focus;
    int handlerCalls = 0;
};

// Both presenters on a runner whose link talks to the in-process simulator.
struct StatusHarness : testing_support::LinkHarness {
    StatusHarness();

    // Headers the controller sent as (group, code, P1) triples.
    struct Sent {
        int group, code, p1;
        bool operator==(const Sent&) const = default;
    };
    std::vector<Sent> sent() const;

    WindowLog log;
    FakeStatusView statusView{log};
    FakeOptionsView optionsView{log};
    testing_support::LambdaHost host;
    std::unique_ptr<core::CommandRunner> runner;
    std::unique_ptr<ui::PanelOptionsPresenter> options;
    std::unique_ptr<ui::DeviceStatusPresenter> status;
};

}  // namespace status_testing

#pragma once

#include <functional>

#include "core/CommandHost.h"

namespace testing_support {

// The command runner's front end in tests, each answer given by the test.
struct LambdaHost final : core::CommandHost {
    LambdaHost() = default;
    LambdaHost(std::function<void()> onConnect,
               std::function<void(devlink::StatusPanel, const QString&, bool)> onStatus,
               std::function<void(const QString&)> onBox, std::function<bool()> onPower)
        : connect(std::move(onConnect)),
          status(std::move(onStatus)),
          box(std::move(onBox)),
          power(std::move(onPower)) {}

    std::function<void()> connect;
    std::function<void(devlink::StatusPanel panel, const QString& text, bool alert)> status;
    std::function<void(const QString& text)> box;
    std::function<bool()> power;

    void connectForCommand() override { connect(); }
    void showStatus(devlink::StatusPanel panel, const QString& text, bool alert) override {
        status(panel, text, alert);
    }
    void informationBox(const QString& text) override { box(text); }
    bool powerOn() override { return power(); }
};

}  // namespace testing_support

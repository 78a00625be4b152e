#pragma once

#include <memory>
#include <vector>

#include "core/CommandRunner.h"
#include "support/LambdaHost.h"
#include "support/SimHarness.h"

namespace testing_support {

struct Status {
    int panel;
    QString text;
    bool alert;
    bool operator==(const Status&) const = default;
};

// The command runner over the simulator, with a fake Connect button and a fake message box;
// the line starts closed.
struct RunnerHarness : LinkHarness {
    RunnerHarness() {
        link->Disconnect();
        host = {[this] {
                    ++connectClicks;
                    if (connectWorks) link->Connect();
                },
                [this](devlink::StatusPanel panel, const QString& text, bool alert) {
                    status.push_back({static_cast<int>(panel), text, alert});
                },
                [this](const QString& text) { boxes.push_back(text); }, [this] { return powerOn; }};
        runner = std::make_unique<core::CommandRunner>(*link, flags, host);
    }
    LambdaHost host;
    std::unique_ptr<core::CommandRunner> runner;
    bool connectWorks = true;
    bool powerOn = true;
    int connectClicks = 0;
    std::vector<Status> status;
    std::vector<QString> boxes;
};

}  // namespace testing_support

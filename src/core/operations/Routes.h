#pragma once

#include <functional>
#include <vector>

#include "link/FailureKind.h"

namespace core {

struct RouteSwitch {
    int output;
    int input;

    bool operator==(const RouteSwitch&) const = default;
};

// Switches one output to one input the front end's way (the window shows it first and puts it
// back on failure); says what went wrong, if anything.
using SwitchRoute = std::function<devlink::FailureKind(int output, int input)>;

struct RoutesSwitched {
    int count = 0;  // the first `count` routes were switched
    devlink::FailureKind failure = devlink::FailureKind::None;
};

// Switches the routes in the order given and stops at the first that fails.
RoutesSwitched SwitchInOrder(const std::vector<RouteSwitch>& routes,
                             const SwitchRoute& switchRoute);

}  // namespace core

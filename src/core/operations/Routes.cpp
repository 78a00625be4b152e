#include "core/operations/Routes.h"

namespace core {

RoutesSwitched SwitchInOrder(const std::vector<RouteSwitch>& routes,
                             const SwitchRoute& switchRoute) {
    RoutesSwitched switched;
    for (const RouteSwitch& route : routes) {
        switched.failure = switchRoute(route.output, route.input);
        if (switched.failure != devlink::FailureKind::None) break;
        ++switched.count;
    }
    return switched;
}

}  // namespace core

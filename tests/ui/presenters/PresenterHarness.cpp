#include "PresenterHarness.h"

namespace testing_support {

namespace {

constexpr quint8 kRouteGroup = 0x02;
constexpr quint8 kGetRouteCode = 0x01;
constexpr quint8 kSetRouteCode = 0x03;

}  // namespace

PresenterHarness::PresenterHarness() {
    host = {[this] { link->Connect(); },
            [this](devlink::StatusPanel panel, const QString& text, bool alert) {
                status.push_back({static_cast<int>(panel), text, alert});
            },
            [this](const QString& text) { boxes.push_back(text); }, [this] { return powerOn; }};
    runner = std::make_unique<core::CommandRunner>(*link, flags, host);
    routing = std::make_unique<ui::RoutingPresenter>(*runner, routingView);
    presets = std::make_unique<ui::PresetPresenter>(*routing, presetView, host);
}

void PresenterHarness::failOutput(int output) {
    transport->setResponder([this, output](const QByteArray& bytes, qint64 now) {
        if (bytes.size() < devlink::kFrameSize) return sim.receive(bytes, now);
        const auto frame = devlink::FrameFrom(
            std::span(reinterpret_cast<const quint8*>(bytes.constData()), devlink::kFrameSize));
        const bool setsIt = frame[3] == kSetRouteCode && devlink::Param(frame, 2) == output;
        const bool readsIt = frame[3] == kGetRouteCode && devlink::Param(frame, 1) == output;
        if (frame[2] == kRouteGroup && (setsIt || readsIt)) {
            sim.injectFault({sim::FaultKind::StatusFF, 1, -1, -1, 0, 2, {}});
        }
        return sim.receive(bytes, now);
    });
}

std::vector<Route> PresenterHarness::routesSent() const {
    std::vector<Route> routes;
    for (const devlink::Frame& f : sentFrames()) {
        if (f[2] != kRouteGroup || f[3] != kSetRouteCode) continue;
        const Route route{devlink::Param(f, 2), devlink::Param(f, 1)};
        if (routes.empty() || routes.back() != route) routes.push_back(route);
    }
    return routes;
}

std::vector<int> PresenterHarness::switcherRoutes() {
    const auto& routes = sim.state().routes;
    return {routes.begin(), routes.end()};
}

void PresenterHarness::setSwitcherRoutes(const std::array<quint8, 6>& routes) {
    sim.state().routes = routes;
}

}  // namespace testing_support

#include "cli/serve/StatusCache.h"

#include <QJsonArray>

#include "cli/state/StateTexts.h"

namespace cli::serve {

namespace {

QJsonArray linkNames(const core::SwitcherState& state, core::PortSide side,
                     const QJsonArray& read) {
    QJsonArray names;
    for (int port = 1; port <= core::kPorts; ++port) {
        const core::LinkState link = state.link(side, port);
        // A state the follower could not read keeps what the full read saw.
        names.append(link == core::LinkState::Unknown ? read.at(port - 1)
                                                      : QJsonValue(linkStateName(link)));
    }
    return names;
}

}  // namespace

void StatusCache::setOption(const QString& key, bool on) {
    if (!status_ || !status_->contains(QStringLiteral("options"))) return;
    QJsonObject options = status_->value(QStringLiteral("options")).toObject();
    options[key] = on;
    status_->insert(QStringLiteral("options"), options);
}

std::optional<QJsonObject> StatusCache::compose(const core::SwitcherState& state) const {
    if (!status_) return std::nullopt;
    const bool power = status_->value(QStringLiteral("power")).toBool();
    // Switched on or off since: the read has nothing of the other state.
    if (state.power() && *state.power() != power) return std::nullopt;
    QJsonObject status = *status_;
    if (!power) return status;
    // What the follower has not read yet is what the full read just saw.
    QJsonArray routes = status_->value(QStringLiteral("routes")).toArray();
    for (int output = 1; output <= core::kPorts; ++output) {
        if (state.route(output)) routes[output - 1] = *state.route(output);
    }
    status[QStringLiteral("routes")] = routes;
    status[QStringLiteral("inputLinks")] = linkNames(
        state, core::PortSide::Input, status_->value(QStringLiteral("inputLinks")).toArray());
    status[QStringLiteral("outputLinks")] = linkNames(
        state, core::PortSide::Output, status_->value(QStringLiteral("outputLinks")).toArray());
    return status;
}

}  // namespace cli::serve

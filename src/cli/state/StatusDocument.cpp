#include "cli/state/StatusDocument.h"

#include <QJsonArray>

#include "cli/commands/Handlers.h"
#include "cli/program/Arguments.h"
#include "cli/state/StateTexts.h"
#include "core/OperatorTexts.h"

namespace cli {

namespace {

void addPortStates(Outcome& out, core::PortSide side,
                   const std::array<core::LinkState, kPortCount>& states, const QString& key) {
    QJsonArray names;
    for (int port = 1; port <= kPortCount; ++port) {
        const core::LinkState state = states[port - 1];
        out.lines << core::PortLabelText(side, port, linkStateText(state));
        names.append(linkStateName(state));
    }
    out.json[key] = names;
}

void addOptions(Outcome& out, const std::array<bool, core::kOptionCount>& options) {
    QJsonObject json;
    for (int i = 0; i < core::kOptionCount; ++i) {
        out.lines << optionCaption(i) + QStringLiteral(": ") + onOffWord(options[i]);
        json[core::optionKeys()[i]] = options[i];
    }
    out.json[QStringLiteral("options")] = json;
}

}  // namespace

Outcome readStatus(core::Connection& session) {
    Outcome out;
    const std::optional<bool> power = session.readPower();
    if (!power) return out.stop();
    out.lines << QStringLiteral("Power: ") + onOffWord(*power);
    out.json[QStringLiteral("power")] = *power;
    if (!*power) {
        out.lines << core::PowerOffRefreshText();
        return out;
    }
    const std::optional<core::DeviceInfo> info = core::readDeviceInfo(session.runner());
    if (!info) return out.stop();
    out.lines << core::DeviceText(info->type, info->inputs, info->outputs)
              << core::VersionText(info->major, info->minor);
    out.json[QStringLiteral("model")] = devlink::ModelName(info->type);
    out.json[QStringLiteral("modelNumber")] = info->type;
    out.json[QStringLiteral("inputs")] = info->inputs;
    out.json[QStringLiteral("outputs")] = info->outputs;
    out.json[QStringLiteral("version")] = QStringLiteral("%1.%2").arg(info->major).arg(info->minor);
    const auto inputs = core::readLinkStates(session.runner(), core::PortSide::Input);
    if (!inputs) return out.stop();
    addPortStates(out, core::PortSide::Input, *inputs, QStringLiteral("inputLinks"));
    const auto outputs = core::readLinkStates(session.runner(), core::PortSide::Output);
    if (!outputs) return out.stop();
    addPortStates(out, core::PortSide::Output, *outputs, QStringLiteral("outputLinks"));
    const std::optional<std::array<int, kPortCount>> routes = core::readRoutes(session.runner());
    if (!routes) return out.stop();
    addRoutes(out, *routes);
    const std::optional<std::array<bool, core::kOptionCount>> options =
        core::readOptions(session.runner());
    if (!options) return out.stop();
    addOptions(out, *options);
    return out;
}

}  // namespace cli

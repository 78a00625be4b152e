#include "cli/state/ChangeEvents.h"

#include "cli/state/StateTexts.h"

namespace cli {

using core::StateChange;

namespace {

QString byName(core::ChangeSource by) {
    return by == core::ChangeSource::Here ? QStringLiteral("here") : QStringLiteral("switcher");
}

QString byText(core::ChangeSource by) {
    return by == core::ChangeSource::Here ? QStringLiteral(" (from here)")
                                          : QStringLiteral(" (at the switcher)");
}

}  // namespace

QJsonObject changeJson(const StateChange& change) {
    switch (change.kind) {
        case StateChange::Kind::Route:
            return {{QStringLiteral("event"), QStringLiteral("route")},
                    {QStringLiteral("output"), change.number},
                    {QStringLiteral("input"), change.input},
                    {QStringLiteral("by"), byName(change.by)}};
        case StateChange::Kind::Power:
            return {{QStringLiteral("event"), QStringLiteral("power")},
                    {QStringLiteral("on"), change.on},
                    {QStringLiteral("by"), byName(change.by)}};
        case StateChange::Kind::Link:
            return {{QStringLiteral("event"), QStringLiteral("link")},
                    {QStringLiteral("port"), change.side == core::PortSide::Input
                                                 ? QStringLiteral("input")
                                                 : QStringLiteral("output")},
                    {QStringLiteral("number"), change.number},
                    {QStringLiteral("state"), linkStateName(change.link)}};
        case StateChange::Kind::Line:
            break;
    }
    return {{QStringLiteral("event"), QStringLiteral("line")},
            {QStringLiteral("state"), change.on ? QStringLiteral("back") : QStringLiteral("lost")}};
}

QString changeLine(const StateChange& change) {
    switch (change.kind) {
        case StateChange::Kind::Route:
            return QStringLiteral("Output%1: Input%2").arg(change.number).arg(change.input) +
                   byText(change.by);
        case StateChange::Kind::Power:
            return QStringLiteral("Power: ") + onOffWord(change.on) + byText(change.by);
        case StateChange::Kind::Link:
            return core::PortLabelText(change.side, change.number, linkStateText(change.link));
        case StateChange::Kind::Line:
            break;
    }
    return change.on ? QStringLiteral("Line back") : QStringLiteral("Line lost");
}

}  // namespace cli

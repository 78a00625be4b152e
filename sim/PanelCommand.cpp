#include "PanelCommand.h"

#include <QStringList>
#include <array>
#include <utility>

namespace sim {

namespace {

using Kind = PanelCommand::Kind;

const std::array<std::pair<const char*, Kind>, 4> kOptionNames{{
    {"ir", Kind::Ir},
    {"keys", Kind::Keys},
    {"apm", Kind::Apm},
    {"beeper", Kind::Beeper},
}};
const std::array<std::pair<const char*, Kind>, 2> kSideNames{{
    {"input", Kind::InputLink},
    {"output", Kind::OutputLink},
}};
const std::array<std::pair<const char*, const char*>, 5> kUsages{{
    {"route", "route 1..6|all 1..6"},
    {"power", "power on|off"},
    {"plug", "plug input|output 1..6"},
    {"unplug", "unplug input|output 1..6"},
    {"option", "option ir|keys|apm|beeper on|off"},
}};

template <typename Table>
std::optional<Kind> kindNamed(const Table& names, const QString& word) {
    for (const auto& [name, kind] : names) {
        if (word == QLatin1String(name)) {
            return kind;
        }
    }
    return std::nullopt;
}

template <typename Table>
QLatin1String nameOf(const Table& names, Kind wanted) {
    for (const auto& [name, kind] : names) {
        if (kind == wanted) {
            return QLatin1String(name);
        }
    }
    return {};
}

std::optional<int> portOf(const QString& word) {
    bool ok = false;
    const int port = word.toInt(&ok);
    return ok && port >= 1 && port <= kPortCount ? std::optional(port) : std::nullopt;
}

std::optional<bool> onOffOf(const QString& word) {
    if (word == u"on" || word == u"off") {
        return word == u"on";
    }
    return std::nullopt;
}

QLatin1String onOffText(bool on) {
    return on ? QLatin1String("on") : QLatin1String("off");
}

std::optional<PanelCommand> commandOf(const QStringList& words) {
    const QString verb = words.value(0);
    if (verb == u"route" && words.size() == 3) {
        const auto output = words[1] == u"all" ? std::optional(0) : portOf(words[1]);
        const auto input = portOf(words[2]);
        if (output && input) {
            return PanelCommand{Kind::Route, *output, *input, false};
        }
    } else if (verb == u"power" && words.size() == 2) {
        if (const auto on = onOffOf(words[1])) {
            return PanelCommand{Kind::Power, 0, 0, *on};
        }
    } else if ((verb == u"plug" || verb == u"unplug") && words.size() == 3) {
        const auto kind = kindNamed(kSideNames, words[1]);
        const auto port = portOf(words[2]);
        if (kind && port) {
            return PanelCommand{*kind, *port, 0, verb == u"plug"};
        }
    } else if (verb == u"option" && words.size() == 3) {
        const auto kind = kindNamed(kOptionNames, words[1]);
        const auto on = onOffOf(words[2]);
        if (kind && on) {
            return PanelCommand{*kind, 0, 0, *on};
        }
    }
    return std::nullopt;
}

QString reasonFor(const QString& verb) {
    for (const auto& [name, usage] : kUsages) {
        if (verb == QLatin1String(name)) {
            return QStringLiteral("expected %1").arg(QLatin1String(usage));
        }
    }
    return QStringLiteral("unknown command");
}

}  // namespace

std::optional<PanelCommand> parsePanelCommand(QByteArrayView line, QString* error) {
    if (line.size() > kPanelLineLimit) {
        *error = QStringLiteral("bad line: longer than %1 bytes").arg(kPanelLineLimit);
        return std::nullopt;
    }
    const QString text = QString::fromUtf8(line).simplified();
    const QStringList words = text.toLower().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    auto command = commandOf(words);
    if (!command) {
        *error = QStringLiteral("bad line \"%1\": %2").arg(text, reasonFor(words.value(0)));
    }
    return command;
}

QString panelText(const PanelCommand& command) {
    switch (command.kind) {
        case Kind::Route:
            return QStringLiteral("route %1 %2")
                .arg(command.port == 0 ? QStringLiteral("all") : QString::number(command.port))
                .arg(command.input);
        case Kind::Power:
            return QStringLiteral("power %1").arg(onOffText(command.on));
        case Kind::InputLink:
        case Kind::OutputLink:
            return QStringLiteral("%1 %2 %3")
                .arg(command.on ? QLatin1String("plug") : QLatin1String("unplug"),
                     nameOf(kSideNames, command.kind))
                .arg(command.port);
        case Kind::Ir:
        case Kind::Keys:
        case Kind::Apm:
        case Kind::Beeper:
            break;
    }
    return QStringLiteral("option %1 %2")
        .arg(nameOf(kOptionNames, command.kind), onOffText(command.on));
}

void applyPanelCommand(SwitcherState& state, const PanelCommand& command) {
    const auto input = static_cast<quint8>(command.input);
    switch (command.kind) {
        case Kind::Route:
            if (command.port == 0) {
                state.routes.fill(input);
            } else {
                state.routes[command.port - 1] = input;
            }
            return;
        case Kind::InputLink:
            state.inputLinked[command.port - 1] = command.on;
            return;
        case Kind::OutputLink:
            state.outputLinked[command.port - 1] = command.on;
            return;
        case Kind::Power:
            state.powerOn = command.on;
            return;
        case Kind::Ir:
            state.irOn = command.on;
            return;
        case Kind::Keys:
            state.keysUnlocked = command.on;
            return;
        case Kind::Apm:
            state.apmOn = command.on;
            return;
        case Kind::Beeper:
            state.beeperOn = command.on;
            return;
    }
}

PanelCommand randomPanelCommand(const SwitcherState& state, QRandomGenerator& random) {
    constexpr int kCableOneIn = 8;
    const int port = random.bounded(1, kPortCount + 1);
    if (random.bounded(kCableOneIn) == 0) {
        const bool input = random.bounded(2) == 0;
        const bool linked = input ? state.inputLinked[port - 1] : state.outputLinked[port - 1];
        return {input ? Kind::InputLink : Kind::OutputLink, port, 0, !linked};
    }
    // Any input but the current one, so that every step shows.
    const int other = (state.routes[port - 1] - 1 + random.bounded(1, kPortCount)) % kPortCount;
    return {Kind::Route, port, other + 1, false};
}

}  // namespace sim

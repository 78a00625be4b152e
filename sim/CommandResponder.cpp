#include "CommandResponder.h"

#include <optional>

#include "SimFrame.h"

namespace sim {

namespace {

constexpr quint16 kQuery = 0xFE;
constexpr quint16 kOn = 0x0F;
constexpr quint16 kOff = 0xF0;
constexpr quint16 kPowerKey3 = 0xD22D;
constexpr quint16 kPowerKey4 = 0x2ED3;
constexpr quint16 kBuiltInBase = 0xF000;
constexpr quint16 kUserStep = 0x100;
constexpr quint8 kValueOn = 0xFF;

constexpr int key(quint8 group, quint8 code) {
    return (group << 8) | code;
}

QByteArray answer(QByteArrayView frame, quint8 status, quint8 value = 0) {
    return makeFrame(groupOf(frame), codeOf(frame), status, value);
}

QByteArray accepted(QByteArrayView frame) {
    return answer(frame, kStatusOk);
}

quint8 onValue(bool on) {
    return on ? kValueOn : 0x00;
}

std::optional<int> portIndex(quint16 port) {
    if (port >= 1 && port <= kPortCount) {
        return port - 1;
    }
    return std::nullopt;
}

std::optional<bool> onOffOf(quint16 value) {
    if (value == kOn) {
        return true;
    }
    if (value == kOff) {
        return false;
    }
    return std::nullopt;
}

// Built-in EDID n (0xF000 + n) or user memory m (0xF000 + m * 0x100); nullopt if unknown or empty.
std::optional<QByteArray> edidOfSelector(const SwitcherState& state, quint16 selector) {
    const int builtIn = selector - kBuiltInBase;
    if (builtIn >= 1 && builtIn <= kBuiltInEdidCount) {
        return state.builtInEdids[builtIn - 1];
    }
    for (int memory = 1; memory <= kUserEdidCount; ++memory) {
        if (selector == kBuiltInBase + memory * kUserStep &&
            !state.userEdid[memory - 1].isEmpty()) {
            return state.userEdid[memory - 1];
        }
    }
    return std::nullopt;
}

std::optional<QByteArray> linkedOutputEdid(const SwitcherState& state, quint16 output) {
    const auto index = portIndex(output);
    if (!index || !state.outputLinked[*index] || state.outputEdid[*index].isEmpty()) {
        return std::nullopt;
    }
    return state.outputEdid[*index];
}

QByteArray setFlag(bool& field, QByteArrayView frame) {
    const auto on = onOffOf(paramOf(frame, 1));
    if (!on) {
        return refusalOf(frame);
    }
    field = *on;
    return accepted(frame);
}

QByteArray queryFlag(bool field, QByteArrayView frame) {
    return paramOf(frame, 1) == kQuery ? answer(frame, kStatusOk, onValue(field))
                                       : refusalOf(frame);
}

QByteArray queryLink(const std::array<bool, kPortCount>& linked, QByteArrayView frame) {
    const auto index = portIndex(paramOf(frame, 1));
    return index ? answer(frame, kStatusOk, onValue(!linked[*index])) : refusalOf(frame);
}

QByteArray loadAllInputs(SwitcherState& state, const std::optional<QByteArray>& edid,
                         QByteArrayView frame) {
    if (!edid) {
        return refusalOf(frame);
    }
    state.inputEdid.fill(*edid);
    return accepted(frame);
}

QByteArray loadInput(SwitcherState& state, const std::optional<QByteArray>& edid, quint16 input,
                     QByteArrayView frame) {
    const auto index = portIndex(input);
    if (!edid || !index) {
        return refusalOf(frame);
    }
    state.inputEdid[*index] = *edid;
    return accepted(frame);
}

QByteArray setRoute(SwitcherState& state, QByteArrayView frame) {
    const auto input = portIndex(paramOf(frame, 1));
    const auto output = portIndex(paramOf(frame, 2));
    if (!input || !output) {
        return refusalOf(frame);
    }
    state.routes[*output] = static_cast<quint8>(*input + 1);
    return accepted(frame);
}

QByteArray getRoute(const SwitcherState& state, QByteArrayView frame) {
    const auto output = portIndex(paramOf(frame, 1));
    return output ? answer(frame, kStatusOk, state.routes[*output]) : refusalOf(frame);
}

bool carriesPowerKeys(QByteArrayView frame) {
    return paramOf(frame, 3) == kPowerKey3 && paramOf(frame, 4) == kPowerKey4;
}

QByteArray deviceCommand(SwitcherState& state, QByteArrayView frame) {
    const quint16 p1 = paramOf(frame, 1);
    switch (key(groupOf(frame), codeOf(frame))) {
        case key(0x01, 0x01):  // device type; P1 0 is the probe after a reboot
            return p1 == kQuery || p1 == 0 ? answer(frame, state.deviceType) : refusalOf(frame);
        case key(0x01, 0x02):
            return p1 == kQuery ? answer(frame, state.inputCount, state.outputCount)
                                : refusalOf(frame);
        case key(0x01, 0x03):
            return p1 == kQuery ? answer(frame, state.firmwareMajor, state.firmwareMinor)
                                : refusalOf(frame);
        case key(0x01, 0x04):
            return queryLink(state.inputLinked, frame);
        case key(0x01, 0x05):
            return queryLink(state.outputLinked, frame);
        case key(0x01, 0x0A):
            return queryFlag(state.apmOn, frame);
        case key(0x01, 0x0B):
            return setFlag(state.apmOn, frame);
        case key(0x01, 0x0C):
            return queryFlag(state.beeperOn, frame);
        case key(0x01, 0x0D):
            return setFlag(state.beeperOn, frame);
        case key(0x01, 0x0E):
            return queryFlag(state.keysUnlocked, frame);
        case key(0x01, 0x0F):
            return setFlag(state.keysUnlocked, frame);
        case key(0x04, 0x03):
            return setFlag(state.irOn, frame);
        case key(0x04, 0x04):
            return queryFlag(state.irOn, frame);
        default:
            return refusalOf(frame);
    }
}

QByteArray routeOrEdidCommand(SwitcherState& state, QByteArrayView frame) {
    const quint16 p1 = paramOf(frame, 1);
    const quint16 p2 = paramOf(frame, 2);
    switch (key(groupOf(frame), codeOf(frame))) {
        case key(0x02, 0x01):
            return getRoute(state, frame);
        case key(0x02, 0x03):
            return setRoute(state, frame);
        case key(0x03, 0x01):
            return loadAllInputs(state, edidOfSelector(state, p1), frame);
        case key(0x03, 0x02):
            return loadInput(state, edidOfSelector(state, p1), p2, frame);
        case key(0x03, 0x03):
            return loadAllInputs(state, linkedOutputEdid(state, p1), frame);
        case key(0x03, 0x04):
            return loadInput(state, linkedOutputEdid(state, p1), p2, frame);
        case key(0x03, 0x08):
            return setFlag(state.edidWriteGateOn, frame);
        case key(0x03, 0x09):
            return loadAllInputs(
                state, p1 == kQuery ? std::optional(state.defaultEdid) : std::nullopt, frame);
        case key(0x03, 0x0A):
            return loadInput(state, state.defaultEdid, p1, frame);
        default:
            return refusalOf(frame);
    }
}

QByteArray systemCommand(SwitcherState& state, QByteArrayView frame) {
    switch (key(groupOf(frame), codeOf(frame))) {
        case key(0x10, 0x01):
            return paramOf(frame, 1) == kQuery && carriesPowerKeys(frame)
                       ? answer(frame, kStatusOk, onValue(state.powerOn))
                       : refusalOf(frame);
        case key(0x10, 0x02):
            return carriesPowerKeys(frame) ? setFlag(state.powerOn, frame) : refusalOf(frame);
        case key(0x80, 0x02):
            if (paramOf(frame, 1) != kOn) {
                return refusalOf(frame);
            }
            ++state.rebootCount;
            return accepted(frame);
        default:
            return refusalOf(frame);
    }
}

}  // namespace

QByteArray refusalOf(QByteArrayView frame) {
    return answer(frame, kStatusRefused);
}

QByteArray respondToCommand(SwitcherState& state, QByteArrayView frame) {
    switch (groupOf(frame)) {
        case 0x01:
        case 0x04:
            return deviceCommand(state, frame);
        case 0x02:
        case 0x03:
            return routeOrEdidCommand(state, frame);
        default:
            return systemCommand(state, frame);
    }
}

}  // namespace sim

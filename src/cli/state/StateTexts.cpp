#include "cli/state/StateTexts.h"

#include <array>

namespace cli {

QString onOffWord(bool on) {
    return on ? QStringLiteral("on") : QStringLiteral("off");
}

QString optionCaption(int index) {
    static const std::array<QString, core::kOptionCount> captions = {
        QStringLiteral("IR"), QStringLiteral("Keys"), QStringLiteral("APM"),
        QStringLiteral("Beeper")};
    return captions.at(static_cast<std::size_t>(index));
}

QString linkStateName(core::LinkState state) {
    switch (state) {
        case core::LinkState::Connected:
            return QStringLiteral("connected");
        case core::LinkState::NotConnected:
            return QStringLiteral("not connected");
        case core::LinkState::Unknown:
            break;
    }
    return QStringLiteral("unknown");
}

const char* linkStateText(core::LinkState state) {
    switch (state) {
        case core::LinkState::Connected:
            return ": Connected";
        case core::LinkState::NotConnected:
            return ": Not connected";
        case core::LinkState::Unknown:
            break;
    }
    return ": Not known";
}

}  // namespace cli

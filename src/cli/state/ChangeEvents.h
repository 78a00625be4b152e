#pragma once

#include <QJsonObject>
#include <QString>

#include "core/SwitcherState.h"

// One change of the switcher as `watch` prints it and the bridge's event socket sends it.
namespace cli {

// {"event":"route","output":3,"input":5,"by":"switcher"}, {"event":"power",...},
// {"event":"link","port":"output","number":2,"state":"not connected"},
// {"event":"line","state":"lost"|"back"}
QJsonObject changeJson(const core::StateChange& change);
// "Output3: Input5 (at the switcher)", "Output2: Not connected", "Line lost", ...
QString changeLine(const core::StateChange& change);

}  // namespace cli

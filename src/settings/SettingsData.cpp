#include "settings/SettingsData.h"

#include "settings/PresetValue.h"

namespace config {

std::array<QString, kPresetCount> SettingsData::defaultPresetNames() {
    std::array<QString, kPresetCount> names;
    for (int n = 1; n <= kPresetCount; ++n) names[n - 1] = QStringLiteral("Setting%1").arg(n);
    return names;
}

std::array<QStringList, kPresetCount> SettingsData::defaultPresetValues() {
    std::array<QStringList, kPresetCount> values;
    values.fill(splitPresetValue(QString()));
    return values;
}

}  // namespace config

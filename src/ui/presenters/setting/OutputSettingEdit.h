#pragma once

#include <QString>
#include <QStringList>
#include <array>

#include "settings/SettingsData.h"

namespace ui {

// The "Output setting" form of the pre-setting edit dialog: what it lists and what is
// chosen in it. Inputs are numbers 1 to 6 (list entry index + 1); 0 is a list without a choice.
struct OutputSettingEdit {
    static constexpr int kPortCount = 6;
    static constexpr int kSelectInputEntry = 0;              // "All Outputs from" entries:
    static constexpr int kPortToPortEntry = kPortCount + 1;  // "Select Input", In1..In6,
                                                             // "Port to Port"
    int row = 0;                                             // pre-setting row 1 to 8
    QString name;                                            // leSettingName
    std::array<int, kPortCount> inputs{};                    // choice of each output's list
    QStringList inputEntries;                                // entries of each output's list
    std::array<QString, kPortCount> outputLabels;            // lblOutput1..6
    QStringList allOutputsEntries;                           // cbFromDeviceOfAllOutput

    // The form for a row, its lists and labels filled from the tags.
    static OutputSettingEdit forRow(int row, const QString& name,
                                    const std::array<int, kPortCount>& inputs,
                                    const config::PortTags& tags);

    // A choice in "All Outputs from": an input sets every output to it, "Port to Port"
    // sets output n to input n, "Select Input" changes nothing.
    void chooseAllOutputsFrom(int entryIndex);
};

}  // namespace ui

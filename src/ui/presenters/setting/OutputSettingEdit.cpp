#include "ui/presenters/setting/OutputSettingEdit.h"

#include "ui/presenters/setting/PortEntryText.h"

namespace ui {

OutputSettingEdit OutputSettingEdit::forRow(int row, const QString& name,
                                            const std::array<int, kPortCount>& inputs,
                                            const config::PortTags& tags) {
    OutputSettingEdit edit{row, name, inputs, {}, {}, {}};
    for (int port = 1; port <= kPortCount; ++port) {
        edit.inputEntries << inputEntryText(port, inputTag(tags, port));
        edit.outputLabels[port - 1] = outputFromText(port, outputTag(tags, port));
    }
    edit.allOutputsEntries << QStringLiteral("Select Input") << edit.inputEntries
                           << QStringLiteral("Port to Port");
    return edit;
}

void OutputSettingEdit::chooseAllOutputsFrom(int entryIndex) {
    if (entryIndex <= kSelectInputEntry || entryIndex > kPortToPortEntry) return;
    for (int output = 1; output <= kPortCount; ++output) {
        inputs[output - 1] = entryIndex == kPortToPortEntry ? output : entryIndex;
    }
}

}  // namespace ui

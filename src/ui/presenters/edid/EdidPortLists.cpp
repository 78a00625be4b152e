#include "ui/presenters/edid/EdidPortLists.h"

#include "ui/presenters/setting/PortEntryText.h"

namespace ui {

QString outputEntryText(int output, const QString& tag) {
    const QString name = QStringLiteral("Out%1").arg(output);
    return tag.isEmpty() ? name : name + QStringLiteral(" - [") + tag + u']';
}

QStringList edidInputList(const config::PortTags& tags) {
    QStringList entries{QStringLiteral("Select Input")};
    for (int input = 1; input <= config::kTaggedPortCount; ++input) {
        entries << inputEntryText(input, inputTag(tags, input));
    }
    return entries << QStringLiteral("All Inputs");
}

QStringList edidDownloadList(const config::PortTags& tags) {
    return edidInputList(tags) << QStringLiteral("User1 Memory") << QStringLiteral("User2 Memory");
}

QStringList edidOutputList(const config::PortTags& tags) {
    QStringList entries{QStringLiteral("Select Output")};
    for (int output = 1; output <= config::kTaggedPortCount; ++output) {
        entries << outputEntryText(output, outputTag(tags, output));
    }
    return entries;
}

}  // namespace ui

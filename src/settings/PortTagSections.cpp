#include "settings/PortTagSections.h"

#include <algorithm>

namespace config {

namespace {

struct TagSections {
    QString input;
    QString output;
};

TagSections tagSections(bool isCom, const QString& mac) {
    const QString owner = isCom ? QStringLiteral("COM") : QStringLiteral("TCP:") + mac;
    return {QStringLiteral("Tag of Input - ") + owner, QStringLiteral("Tag of Output - ") + owner};
}

QString inputKey(int port) {
    return QStringLiteral("In%1").arg(port);
}
QString outputKey(int port) {
    return QStringLiteral("Out%1").arg(port);
}

bool allBlank(const QStringList& values) {
    return std::all_of(values.begin(), values.end(),
                       [](const QString& value) { return value.trimmed().isEmpty(); });
}

void eraseBlankTagSections(IniDocument& document) {
    for (const QString& section : document.sections()) {
        if (section.contains(QStringLiteral("Tag of"), Qt::CaseSensitive) &&
            allBlank(document.values(section))) {
            document.eraseSection(section);
        }
    }
}

}  // namespace

PortTags loadPortTags(const IniDocument& document, bool isCom, const QString& mac) {
    const TagSections sections = tagSections(isCom, mac);
    PortTags tags;
    for (int port = 1; port <= kTaggedPortCount; ++port) {
        tags.inputs[port - 1] = document.value(sections.input, inputKey(port));
        tags.outputs[port - 1] = document.value(sections.output, outputKey(port));
    }
    return tags;
}

void savePortTags(IniDocument& document, bool isCom, const QString& mac, const PortTags& tags) {
    // Without a selected device the tags belong to nobody.
    if (isCom || (!mac.isEmpty() && mac != QLatin1String(kNoDeviceMac))) {
        const TagSections sections = tagSections(isCom, mac);
        for (int port = 1; port <= kTaggedPortCount; ++port) {
            document.setValue(sections.input, inputKey(port), tags.inputs[port - 1]);
            document.setValue(sections.output, outputKey(port), tags.outputs[port - 1]);
        }
    }
    eraseBlankTagSections(document);
}

}  // namespace config

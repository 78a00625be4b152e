#include "ui/presenters/setting/PortEntryText.h"

namespace ui {

namespace {

QString tagged(const QString& name, const QString& tag) {
    return tag.isEmpty() ? name : name + QStringLiteral(" - [") + tag + u']';
}

QString tagOf(const std::array<QString, config::kTaggedPortCount>& tags, int port) {
    return port >= 1 && port <= config::kTaggedPortCount ? tags[port - 1] : QString();
}

}  // namespace

QString inputTag(const config::PortTags& tags, int input) {
    return tagOf(tags.inputs, input);
}

QString outputTag(const config::PortTags& tags, int output) {
    return tagOf(tags.outputs, output);
}

QString inputEntryText(int input, const QString& tag) {
    return tagged(QStringLiteral("In%1").arg(input), tag);
}

QString outputFromText(int output, const QString& tag) {
    return tagged(QStringLiteral("Out%1").arg(output), tag) + QStringLiteral(" from");
}

QString routeNoteText(int output, const QString& inputDigit, const config::PortTags& tags) {
    const QString tag = outputTag(tags, output);
    QString note = QStringLiteral("Output%1").arg(output);
    note += tag.isEmpty() ? QStringLiteral(" from ")
                          : QStringLiteral(" - [") + tag + QStringLiteral("] from ");
    const int input = inputDigit.toInt();
    return note + tagged(QStringLiteral("Input") + inputDigit, inputTag(tags, input));
}

QStringList tagListLines(const config::PortTags& tags) {
    QStringList lines;
    const auto add = [&lines](const QString& port, const QString& tag) {
        lines << (tag.isEmpty() ? port + QStringLiteral(" - No tag") : tagged(port, tag));
    };
    for (int output = 1; output <= config::kTaggedPortCount; ++output) {
        add(QStringLiteral("Output%1").arg(output), outputTag(tags, output));
    }
    for (int input = 1; input <= config::kTaggedPortCount; ++input) {
        add(QStringLiteral("Input%1").arg(input), inputTag(tags, input));
    }
    return lines;
}

}  // namespace ui

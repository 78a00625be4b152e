#include <QJsonArray>

#include "cli/commands/EdidLink.h"
#include "cli/commands/Handlers.h"
#include "cli/program/Arguments.h"
#include "cli/program/ExitCode.h"
#include "cli/program/Rejection.h"
#include "device/EdidDecoder.h"
#include "device/EdidModes.h"

namespace cli {

namespace {

const QString kUsage = QStringLiteral(
    "edid read output N FILE | edid write input N|all FILE | edid write memory 1|2 FILE | "
    "edid copy OUT IN|all | edid mode MODE IN|all | edid modes | edid show FILE");

// Positions of the window's input lists: inputs 1 to 6, then "All Inputs".
constexpr int kAllInputsIndex = kPortCount + 1;
constexpr int kInputListSize = kPortCount + 2;  // with "Select Input" first
constexpr int kFirstMemoryIndex = kAllInputsIndex + 1;

QStringList windowModes() {
    QStringList modes = device::designedEdidModes();
    modes.removeLast();  // the window never offers "Auto EDID"
    return modes;
}

int inputsArg(const QString& word) {
    return word.toLower() == QStringLiteral("all") ? kAllInputsIndex
                                                   : portArg(word, QStringLiteral("input"));
}

QString inputsName(int index) {
    return index == kAllInputsIndex ? QStringLiteral("All Inputs")
                                    : QStringLiteral("Input%1").arg(index);
}

// A mode by its position in `edid modes` or by its text, in any letter case.
int modeArg(const QString& word, const QStringList& modes) {
    bool number = false;
    const int index = word.toInt(&number);
    if (number && index >= 1 && index < modes.size()) return index;
    for (int i = 1; i < modes.size(); ++i) {
        if (modes[i].compare(word, Qt::CaseInsensitive) == 0) return i;
    }
    throw Rejection(kExitUsage,
                    QStringLiteral("No EDID mode \"%1\"; see matrixctl edid modes").arg(word));
}

Outcome describe(const QString& action, const QString& target) {
    Outcome out;
    out.lines << action + QStringLiteral(": ") + target;
    out.json[QStringLiteral("action")] = action;
    out.json[QStringLiteral("target")] = target;
    return out;
}

Outcome read(Context& context, const QStringList& args) {
    requireCount(args, 3, kUsage);
    if (args[0] == QStringLiteral("input"))
        throw Rejection(kExitUsage, QStringLiteral("The switcher sends the EDID of an output "
                                                   "only; an input's EDID cannot be read"));
    choiceArg(args[0], {QStringLiteral("output")}, QStringLiteral("output"));
    const int output = portArg(args[1], QStringLiteral("output"));
    const QByteArray edid = readOutputEdid(context.session(), output);
    if (edid.isEmpty()) return Outcome().stop();
    edidToFile(args[2], edid);
    Outcome out = describe(QStringLiteral("read"), QStringLiteral("Output%1").arg(output));
    out.lines << device::edidSummary(edid).value_or(QString());
    out.json[QStringLiteral("file")] = args[2];
    out.json[QStringLiteral("summary")] = out.lines.last();
    return out;
}

Outcome write(Context& context, const QStringList& args) {
    requireCount(args, 3, kUsage);
    const bool memory = choiceArg(args[0], {QStringLiteral("input"), QStringLiteral("memory")},
                                  QStringLiteral("input or memory")) == 1;
    int index = 0;
    if (memory) {
        index = kFirstMemoryIndex + choiceArg(args[1], {QStringLiteral("1"), QStringLiteral("2")},
                                              QStringLiteral("memory 1 or 2"));
    } else {
        index = inputsArg(args[1]);
    }
    const QByteArray edid = edidFromFile(args[2]);
    if (!writeEdid(context.session(), *device::downloadEdidCommand(index), edid))
        return Outcome().stop();
    return describe(
        QStringLiteral("write"),
        memory ? QStringLiteral("User%1 Memory").arg(index - kAllInputsIndex) : inputsName(index));
}

Outcome copy(Context& context, const QStringList& args) {
    requireCount(args, 2, kUsage);
    const int output = portArg(args[0], QStringLiteral("output"));
    const int inputs = inputsArg(args[1]);
    core::Connection& session = context.session();
    const device::EdidCommand command =
        inputs == kAllInputsIndex
            ? device::EdidCommand{devlink::Command::CopyOutputEdidAllInputs, quint16(output)}
            : device::EdidCommand{devlink::Command::CopyOutputEdidOneInput, quint16(output),
                                  quint16(inputs)};
    if (!outputConnected(session, output) || !runEdidCommand(session, command))
        return Outcome().stop();
    return describe(QStringLiteral("copy"),
                    QStringLiteral("Output%1 to %2").arg(output).arg(inputsName(inputs)));
}

Outcome mode(Context& context, const QStringList& args) {
    requireCount(args, 2, kUsage);
    const QStringList modes = windowModes();
    const int modeIndex = modeArg(args[0], modes);
    const int inputs = inputsArg(args[1]);
    const std::optional<device::EdidCommand> command =
        device::setEdidModeCommand(modes, modeIndex, inputs, kInputListSize);
    if (!runEdidCommand(context.session(), *command)) return Outcome().stop();
    Outcome out = describe(QStringLiteral("mode"), inputsName(inputs));
    out.lines.last() += QStringLiteral(" = ") + modes[modeIndex];
    out.json[QStringLiteral("mode")] = modes[modeIndex];
    return out;
}

Outcome listModes() {
    Outcome out;
    const QStringList modes = windowModes();
    QJsonArray names;
    for (int i = 1; i < modes.size(); ++i) {
        out.lines << QStringLiteral("%1 %2").arg(i).arg(modes[i]);
        names.append(modes[i]);
    }
    out.json[QStringLiteral("modes")] = names;
    return out;
}

Outcome show(const QStringList& args) {
    requireCount(args, 1, kUsage);
    const QString summary = device::edidSummary(edidFromFile(args[0])).value_or(QString());
    Outcome out;
    out.lines << summary;
    out.json[QStringLiteral("summary")] = summary;
    out.json[QStringLiteral("file")] = args[0];
    return out;
}

}  // namespace

Outcome runEdid(Context& context, const QStringList& args) {
    const int action =
        choiceArg(args.value(0),
                  {QStringLiteral("read"), QStringLiteral("write"), QStringLiteral("copy"),
                   QStringLiteral("mode"), QStringLiteral("modes"), QStringLiteral("show")},
                  QStringLiteral("read, write, copy, mode, modes or show"));
    const QStringList rest = args.mid(1);
    switch (action) {
        case 0:
            return read(context, rest);
        case 1:
            return write(context, rest);
        case 2:
            return copy(context, rest);
        case 3:
            return mode(context, rest);
        case 4:
            requireCount(rest, 0, kUsage);
            return listModes();
        default:
            return show(rest);
    }
}

}  // namespace cli

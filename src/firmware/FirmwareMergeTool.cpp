#include "firmware/FirmwareMergeTool.h"

#include <QCommandLineParser>
#include <QRegularExpression>
#include <algorithm>
#include <array>
#include <optional>

#include "firmware/FirmwareFile.h"
#include "firmware/FirmwareMerge.h"

namespace device {

namespace {

enum Exit { kDone = 0, kFailed = 1, kUsage = 2 };

struct McuOptions {
    QCommandLineOption file;
    QCommandLineOption version;
};

McuOptions OptionsFor(const QString& name, const QString& what) {
    return {QCommandLineOption(name, what + QStringLiteral(" image file."), QStringLiteral("file")),
            QCommandLineOption(name + QStringLiteral("-ver"),
                               what + QStringLiteral(" version: 1.2 or 7, numbers 0 to 255"),
                               QStringLiteral("ver"))};
}

// "1.2" gives the two version fields "1" and "2", "7" gives "7" and "" (0). Only one or two
// numbers of 0 to 255 are taken: the window would turn anything else into another version
// without a word.
std::optional<McuFields> FieldsFrom(const QCommandLineParser& parser, const McuOptions& options) {
    constexpr int kMaxVersionNumber = 255;
    static const QRegularExpression kVersion(QStringLiteral("^([0-9]{1,3})(?:\\.([0-9]{1,3}))?$"));
    const QString file = parser.value(options.file);
    if (!parser.isSet(options.version)) return McuFields{file, {}, {}};
    const QRegularExpressionMatch match = kVersion.match(parser.value(options.version));
    if (!match.hasMatch() || match.captured(1).toInt() > kMaxVersionNumber ||
        match.captured(2).toInt() > kMaxVersionNumber)
        return std::nullopt;
    return McuFields{file, match.captured(1), match.captured(2)};
}

int List(const QString& path, QTextStream& out) {
    const FileReadResult file = ReadFirmwareFile(path);
    if (!file.ok()) {
        out << FirmwareFileProblemText(path, file) << Qt::endl;
        return kFailed;
    }
    const FirmwareSummary summary = SummariseFirmware(file.bytes);
    for (const QString& line : FirmwareSectionLines(summary)) out << line << Qt::endl;
    out << FirmwareSummaryText(summary) << Qt::endl;
    return summary.everyHeaderChecks ? kDone : kFailed;
}

int Merge(MergeFields& fields, const QString& folder, bool force, QTextStream& out,
          QTextStream& err) {
    // Standard output carries exactly the window's message lines; the question goes aside.
    const MergeHooks hooks{
        [&](const QString& line) { out << line << Qt::endl; },
        [&](const QString& question) {
            err << question << (force ? " Yes" : " No (use --force to overwrite)") << Qt::endl;
            return force;
        }};
    const MergeOutcome outcome = MergeFirmware(fields, folder, hooks, UnloadableImage::Refuse);
    if (!outcome.refusedImage.isEmpty()) {
        err << "fw-merge: " << outcome.refusedImage << "; nothing written" << Qt::endl;
        return kFailed;
    }
    if (outcome.targetPath.isEmpty()) {
        err << "fw-merge: no image was merged" << Qt::endl;
        return kFailed;
    }
    return outcome.saved ? kDone : kFailed;
}

}  // namespace

int RunFirmwareMergeTool(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Merges MCU firmware images into one firmware file, or lists one."));
    const QCommandLineOption help = parser.addHelpOption();
    const std::array<McuOptions, kMergeOrder.size()> mcus{
        OptionsFor(QStringLiteral("main"), QStringLiteral("Main MCU")),
        OptionsFor(QStringLiteral("slave1"), QStringLiteral("Slave MCU1")),
        OptionsFor(QStringLiteral("slave2"), QStringLiteral("Slave MCU2 (IR)")),
        OptionsFor(QStringLiteral("slave3"), QStringLiteral("Slave MCU3 (panel)"))};
    for (const McuOptions& mcu : mcus) parser.addOptions({mcu.file, mcu.version});
    const QCommandLineOption outDir(QStringLiteral("out-dir"),
                                    QStringLiteral("Folder of the merged file (default: current)."),
                                    QStringLiteral("dir"), QStringLiteral("."));
    const QCommandLineOption force(QStringLiteral("force"),
                                   QStringLiteral("Overwrite an existing merged file."));
    const QCommandLineOption list(QStringLiteral("list"),
                                  QStringLiteral("List the sections of a firmware file."),
                                  QStringLiteral("file.fw"));
    parser.addOptions({outDir, force, list});

    if (!parser.parse(arguments)) {
        err << "fw-merge: " << parser.errorText() << Qt::endl;
        return kUsage;
    }
    if (parser.isSet(help)) {
        out << parser.helpText();
        return kDone;
    }
    const bool anyImage = std::any_of(
        mcus.begin(), mcus.end(), [&](const McuOptions& mcu) { return parser.isSet(mcu.file); });
    if (!parser.positionalArguments().isEmpty() || parser.isSet(list) == anyImage) {
        err << "fw-merge: give --list FILE.fw, or one or more of --main, --slave1, --slave2, "
               "--slave3"
            << Qt::endl;
        return kUsage;
    }
    if (parser.isSet(list)) return List(parser.value(list), out);

    MergeFields fields;
    for (std::size_t i = 0; i < mcus.size(); ++i) {
        const std::optional<McuFields> mcu = FieldsFrom(parser, mcus[i]);
        if (!mcu) {
            err << "fw-merge: --" << mcus[i].version.names().constFirst() << " \""
                << parser.value(mcus[i].version)
                << "\" is no version: give one or two numbers from 0 to 255, e.g. 1.2" << Qt::endl;
            return kUsage;
        }
        fields[i] = *mcu;
    }
    return Merge(fields, parser.value(outDir), parser.isSet(force), out, err);
}

}  // namespace device

#include "firmware/FirmwareMerge.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include "device/BoundedFile.h"

namespace device {

namespace {

constexpr int kVersionDigits = 3;
constexpr int kMaxVersion = 255;

int IndexOf(Mcu mcu) {
    return static_cast<int>(mcu);
}

bool Save(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

}  // namespace

const McuTexts& TextsOf(Mcu mcu) {
    static const std::array<McuTexts, kMergeOrder.size()> kTexts{{
        {QStringLiteral("Main MCU firmware file: "), QStringLiteral("Main MCU firmware: "),
         QStringLiteral("Main MCU firmware merged, ver"), QStringLiteral("_mm")},
        {QStringLiteral("Slave MCU1 firmware file: "), QStringLiteral("Slave MCU1 firmware: "),
         QStringLiteral("Slave MCU1 firmware merged, ver"), QStringLiteral("_ms")},
        {QStringLiteral("Slave MCU2 firmware file: "), QStringLiteral("Slave MCU2 firmware: "),
         QStringLiteral("Slave MCU2 firmware merged, ver"), QStringLiteral("_ir")},
        {QStringLiteral("Slave MCU3 firmware file: "), QStringLiteral("Slave MCU3 firmware: "),
         QStringLiteral("Slave MCU3 firmware merged, ver"), QStringLiteral("_pnl")},
    }};
    return kTexts[IndexOf(mcu)];
}

PartFields FieldsOf(Mcu mcu, quint8 version1, quint8 version2) {
    // The main MCU and slave MCU1 are both number 1; the code tells them apart.
    static constexpr std::array<quint16, kMergeOrder.size()> kNumbers{1, 1, 2, 3};
    return {kFirmwareGroup,
            mcu == Mcu::Main ? kStagedPartCode : kPlainPartCode,
            kNumbers[IndexOf(mcu)],
            0,
            version1,
            version2};
}

quint8 NormaliseVersion(QString& text) {
    const QString digits = text.isEmpty() ? QStringLiteral("0") : text.left(kVersionDigits);
    bool ok = false;
    const int parsed = digits.toInt(&ok, 10);
    const int value = ok ? std::clamp(parsed, 0, kMaxVersion) : 0;
    text = QString::number(value);
    return static_cast<quint8>(value);
}

QString TrimControlAndSpace(const QString& text) {
    const auto isTrimmed = [](QChar c) { return c.unicode() <= 32; };
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && isTrimmed(text[first])) ++first;
    while (last > first && isTrimmed(text[last - 1])) --last;
    return text.mid(first, last - first);
}

QByteArray BuildSection(const PartFields& fields, QByteArrayView image) {
    const SectionHeader header = BuildSectionHeader(fields, static_cast<quint32>(image.size()));
    QByteArray section(reinterpret_cast<const char*>(header.data()), kSectionHeaderSize);
    section += ScrambleImage(image);
    return section;
}

QString MergedFileName(const QString& namePart) {
    return QStringLiteral("Vorpanix") + namePart + QStringLiteral(".fw");
}

MergeOutcome MergeFirmware(MergeFields& fields, const QString& targetFolder,
                           const MergeHooks& hooks, UnloadableImage unloadable) {
    QByteArray output;
    QString namePart;
    for (const Mcu mcu : kMergeOrder) {
        McuFields& field = fields[IndexOf(mcu)];
        const McuTexts& texts = TextsOf(mcu);
        field.path = TrimControlAndSpace(field.path);
        if (field.path.isEmpty()) continue;
        const FileReadResult image = ReadWholeFile(field.path, kMaxImageSize);
        if (!image.ok()) {
            const QString line =
                texts.missingFile + field.path + FileProblemSuffix(image, kMaxImageSize);
            hooks.addLine(line);
            if (unloadable == UnloadableImage::Refuse) return {{}, false, line};
            continue;
        }
        hooks.addLine(texts.loaded + field.path + QStringLiteral(" loaded"));
        const quint8 version1 = NormaliseVersion(field.version1);
        const quint8 version2 = NormaliseVersion(field.version2);
        output += BuildSection(FieldsOf(mcu, version1, version2), image.bytes);
        const QString version = QStringLiteral("%1.%2").arg(version1).arg(version2);
        hooks.addLine(texts.merged + version);
        namePart += texts.namePart + version;
    }
    if (namePart.isEmpty()) return {};

    MergeOutcome outcome{QDir(targetFolder).filePath(MergedFileName(namePart)), false, {}};
    if (QFileInfo::exists(outcome.targetPath) &&
        !hooks.confirmOverwrite(QStringLiteral("Firmware file: ") + outcome.targetPath +
                                QStringLiteral(" exists, overwrite it?"))) {
        hooks.addLine(QStringLiteral("Save canceled"));
        return outcome;
    }
    outcome.saved = Save(outcome.targetPath, output);
    hooks.addLine(outcome.saved ? QStringLiteral("Firmware merged complete, save to file: ") +
                                      outcome.targetPath
                                : QStringLiteral("Firmware file: ") + outcome.targetPath +
                                      QStringLiteral(" cannot be saved"));
    return outcome;
}

}  // namespace device

#include "cli/commands/BackupFile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>

#include "cli/program/ExitCode.h"
#include "cli/program/Rejection.h"
#include "device/BoundedFile.h"
#include "device/Edid.h"

namespace cli {

namespace {

const QString kFormat = QStringLiteral("matrixctl-backup");
// A backup is a few kilobytes; anything far larger is not one.
constexpr qint64 kMaxBackupSize = 1024 * 1024;

[[noreturn]] void bad(const QString& what) {
    throw Rejection(kExitBadFile, QStringLiteral("Backup file: ") + what);
}

QJsonArray edidArray(const auto& images) {
    QJsonArray array;
    for (const std::optional<QByteArray>& image : images)
        array.append(image ? QJsonValue(QString::fromLatin1(image->toHex().toUpper()))
                           : QJsonValue());
    return array;
}

QJsonArray textArray(const auto& texts) {
    QJsonArray array;
    for (const QString& text : texts) array.append(text);
    return array;
}

QJsonArray sized(const QJsonObject& object, const QString& key, qsizetype size) {
    const QJsonValue value = object.value(key);
    if (!value.isArray() || value.toArray().size() != size)
        bad(QStringLiteral("\"%1\" is not a list of %2").arg(key).arg(size));
    return value.toArray();
}

template <std::size_t N>
void readEdids(const QJsonObject& object, const QString& key,
               std::array<std::optional<QByteArray>, N>& images) {
    const QJsonArray array = sized(object, key, N);
    for (std::size_t i = 0; i < N; ++i) {
        const QJsonValue value = array.at(qsizetype(i));
        if (value.isNull()) continue;
        const QByteArray image = QByteArray::fromHex(value.toString().toLatin1());
        if (!value.isString() || image.toHex().toUpper() != value.toString().toUpper().toLatin1() ||
            device::checkEdid(image) != device::EdidStatus::Ok)
            bad(QStringLiteral("\"%1\" entry %2 is not an EDID in hex").arg(key).arg(i + 1));
        images[i] = image.left(device::kEdidSize);
    }
}

template <std::size_t N>
void readTexts(const QJsonObject& object, const QString& key, std::array<QString, N>& texts) {
    const QJsonArray array = sized(object, key, N);
    for (std::size_t i = 0; i < N; ++i) {
        if (!array.at(qsizetype(i)).isString())
            bad(QStringLiteral("\"%1\" entry %2 is not a text").arg(key).arg(i + 1));
        texts[i] = array.at(qsizetype(i)).toString();
    }
}

}  // namespace

QJsonObject backupToJson(const Backup& b) {
    QJsonArray routes;
    for (const int input : b.routes) routes.append(input);
    QJsonObject options;
    for (int i = 0; i < core::kOptionCount; ++i) options[core::optionKeys()[i]] = b.options[i];
    QJsonArray presets;
    for (int i = 0; i < config::kPresetCount; ++i)
        presets.append(QJsonObject{{QStringLiteral("name"), b.presetNames[i]},
                                   {QStringLiteral("inputs"), textArray(b.presetValues[i])}});
    return {{QStringLiteral("format"), kFormat},
            {QStringLiteral("version"), kBackupVersion},
            {QStringLiteral("power"), b.power},
            {QStringLiteral("routes"), routes},
            {QStringLiteral("options"), options},
            {QStringLiteral("inputEdids"), edidArray(b.inputEdids)},
            {QStringLiteral("memoryEdids"), edidArray(b.memoryEdids)},
            {QStringLiteral("inputTags"), textArray(b.tags.inputs)},
            {QStringLiteral("outputTags"), textArray(b.tags.outputs)},
            {QStringLiteral("presets"), presets}};
}

Backup backupFromJson(const QByteArray& text) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(text, &error);
    if (error.error != QJsonParseError::NoError)
        bad(QStringLiteral("not JSON: ") + error.errorString());
    if (!document.isObject()) bad(QStringLiteral("not a JSON object"));
    const QJsonObject o = document.object();
    if (o.value(QStringLiteral("format")).toString() != kFormat)
        bad(QStringLiteral("\"format\" is not \"%1\"").arg(kFormat));
    const QJsonValue version = o.value(QStringLiteral("version"));
    if (version.toInt(-1) != kBackupVersion)
        bad(QStringLiteral("format version %1, this program reads version %2")
                .arg(version.isDouble() ? QString::number(version.toDouble())
                                        : QStringLiteral("missing"))
                .arg(kBackupVersion));
    Backup b;
    if (!o.value(QStringLiteral("power")).isBool())
        bad(QStringLiteral("\"power\" is not true or false"));
    b.power = o.value(QStringLiteral("power")).toBool();
    const QJsonArray routes = sized(o, QStringLiteral("routes"), kPortCount);
    for (int i = 0; i < kPortCount; ++i) {
        const int input = routes.at(i).toInt(0);
        if (input < 1 || input > kPortCount || routes.at(i).toDouble() != input)
            bad(QStringLiteral("\"routes\" entry %1 is not an input 1 to 6").arg(i + 1));
        b.routes[i] = input;
    }
    const QJsonObject options = o.value(QStringLiteral("options")).toObject();
    for (int i = 0; i < core::kOptionCount; ++i) {
        if (!options.value(core::optionKeys()[i]).isBool())
            bad(QStringLiteral("\"options\" has no true or false \"%1\"")
                    .arg(core::optionKeys()[i]));
        b.options[i] = options.value(core::optionKeys()[i]).toBool();
    }
    readEdids(o, QStringLiteral("inputEdids"), b.inputEdids);
    readEdids(o, QStringLiteral("memoryEdids"), b.memoryEdids);
    readTexts(o, QStringLiteral("inputTags"), b.tags.inputs);
    readTexts(o, QStringLiteral("outputTags"), b.tags.outputs);
    const QJsonArray presets = sized(o, QStringLiteral("presets"), config::kPresetCount);
    for (int i = 0; i < config::kPresetCount; ++i) {
        const QJsonObject preset = presets.at(i).toObject();
        const QJsonValue inputs = preset.value(QStringLiteral("inputs"));
        if (!preset.value(QStringLiteral("name")).isString() || !inputs.isArray())
            bad(QStringLiteral("\"presets\" entry %1 has no name and inputs").arg(i + 1));
        b.presetNames[i] = preset.value(QStringLiteral("name")).toString();
        for (const QJsonValue cell : inputs.toArray()) b.presetValues[i] << cell.toString();
    }
    return b;
}

Backup readBackupFile(const QString& path) {
    // Checked before it is opened: a FIFO would wait for a writer for ever.
    const device::FileReadResult file = device::ReadWholeFile(path, kMaxBackupSize);
    if (file.status == device::FileReadStatus::TooLarge) bad(QStringLiteral("far too large"));
    if (!file.ok()) throw Rejection(kExitBadFile, path + QStringLiteral(" can not be read."));
    return backupFromJson(file.bytes);
}

void writeBackupFile(const QString& path, const Backup& backup) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(QJsonDocument(backupToJson(backup)).toJson()) < 0 || !file.commit())
        throw Rejection(kExitBadFile, path + QStringLiteral(" can not be written."));
}

}  // namespace cli

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <array>
#include <functional>

#include "firmware/FirmwareSection.h"

// The merge that builds a firmware file from the per-MCU images, shared by the window's merge
// group and the fw-merge tool.
namespace device {

enum class Mcu { Main, Slave1, Slave2, Slave3 };
constexpr std::array<Mcu, 4> kMergeOrder{Mcu::Main, Mcu::Slave1, Mcu::Slave2, Mcu::Slave3};

struct McuTexts {
    QString missingFile;  // "Main MCU firmware file: "
    QString loaded;       // "Main MCU firmware: "
    QString merged;       // "Main MCU firmware merged, ver"
    QString namePart;     // "_mm"
};
const McuTexts& TextsOf(Mcu mcu);

// Code and MCU number of the section an MCU's image goes into.
PartFields FieldsOf(Mcu mcu, quint8 version1, quint8 version2);

// An empty text counts as "0", only the first 3 characters count, anything that is no number
// is 0 and values above 255 are 255. The text is replaced by the value in decimal.
quint8 NormaliseVersion(QString& text);

// Without leading and trailing characters of codes 0..32.
QString TrimControlAndSpace(const QString& text);

// A header followed by the scrambled image.
QByteArray BuildSection(const PartFields& fields, QByteArrayView image);

// "Vorpanix" + name part + ".fw", e.g. Vorpanix_mm1.2_ms1.0.fw.
QString MergedFileName(const QString& namePart);

// The window's fields of one MCU: the image path and the two version texts.
struct McuFields {
    QString path;
    QString version1;
    QString version2;
};
using MergeFields = std::array<McuFields, kMergeOrder.size()>;  // in kMergeOrder

struct MergeHooks {
    std::function<void(const QString& line)> addLine;
    // A Yes/No question; true means Yes.
    std::function<bool(const QString& question)> confirmOverwrite;
};

// What happens to an image that is named but cannot be loaded: the window skips it with its
// line; the merge tool refuses to write a file without it.
enum class UnloadableImage { Skip, Refuse };

struct MergeOutcome {
    QString targetPath;  // empty when no section was merged
    bool saved = false;
    QString refusedImage;  // under Refuse: the line of the image that stopped the merge
};

// Merges every MCU whose path is given and loads, in kMergeOrder, and saves the file in
// `targetFolder`. The fields are changed as the window shows them afterwards: paths trimmed,
// the versions of merged MCUs normalised.
MergeOutcome MergeFirmware(MergeFields& fields, const QString& targetFolder,
                           const MergeHooks& hooks,
                           UnloadableImage unloadable = UnloadableImage::Skip);

}  // namespace device

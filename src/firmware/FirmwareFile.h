#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

#include "device/BoundedFile.h"
#include "firmware/FirmwareSection.h"

// Reading a merged firmware file section by section, as the upgrade does. The file is
// untrusted: every declared size is checked against what is really there.
namespace device {

// Four sections of the largest image and their headers, with room to spare.
constexpr qint64 kMaxFirmwareFileSize = 4 * (kMaxImageSize + kSectionHeaderSize);

// Reads a whole ".fw" file; a directory, FIFO, device or oversized file is refused unread.
FileReadResult ReadFirmwareFile(const QString& path);
// "Firmware file: " path " does not exist" (or " is not a regular file", ...).
QString FirmwareFileProblemText(const QString& path, const FileReadResult& result);

enum class SectionVerdict {
    Good,
    HeaderPastEnd,  // fewer than 143 bytes left for the header
    BadChecksum,
    ImagePastEnd,   // the image size runs past the end of the file
    ImageTooLarge,  // larger than kMaxImageSize
    UnknownGroup,   // not the firmware part group 0x20: its fields would be another command
    UnknownCode,    // neither 0x01 (staged part) nor 0x02 (plain part)
    EmptyImage,     // nothing to send: the part would go out as a block of no bytes
};

struct SectionHeaderRead {
    SectionHeader header{};
    SectionVerdict verdict = SectionVerdict::HeaderPastEnd;

    bool good() const { return verdict == SectionVerdict::Good; }
    PartFields fields() const { return PartFieldsOf(header); }
    quint32 imageSize() const { return ImageSizeOf(header); }
    QString label() const { return PartLabel(fields()); }
    devlink::Frame frame() const { return PartFrameOf(fields()); }
};

// The message line for a section that is not good: "Bad FW file!", followed by what is wrong
// when the checksum alone does not say it.
QString SectionProblemText(const SectionHeaderRead& read);

// The whole file in memory and a read position that starts at 0.
class FirmwareReader {
public:
    explicit FirmwareReader(QByteArray file) : file_(std::move(file)) {}

    // Reads up to 143 bytes at the position (the position advances by what was read) and
    // judges them; the image is only looked at for its size.
    SectionHeaderRead ReadSectionHeader();
    // Only after a good header: the unscrambled image; the position moves past it.
    QByteArray ReadSectionImage(const SectionHeaderRead& read);

    bool AtEnd() const { return position_ >= file_.size(); }
    qsizetype Position() const { return position_; }

private:
    QByteArray file_;
    qsizetype position_ = 0;
};

// What a file holds, for showing before an upgrade and for the merge tool's listing.
struct SectionSummary {
    qsizetype offset = 0;
    SectionHeaderRead read;
};

struct FirmwareSummary {
    std::vector<SectionSummary> sections;  // up to and including the first bad one
    bool everyHeaderChecks = false;        // every section good and the file ends after the last

    const SectionSummary* firstProblem() const;
};

FirmwareSummary SummariseFirmware(const QByteArray& file);

// One line, e.g. "2 sections: Part_1.1.1.2 (65536 bytes), Part_2.1.1.0 (4096 bytes); every
// header checks", or ending with the problem of the first bad section.
QString FirmwareSummaryText(const FirmwareSummary& summary);

// One line per section: "Section 1 at offset 0: Part_1.1.1.2, image 65536 bytes, header checks".
QStringList FirmwareSectionLines(const FirmwareSummary& summary);

}  // namespace device

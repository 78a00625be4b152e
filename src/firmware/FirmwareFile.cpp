#include "firmware/FirmwareFile.h"

#include <algorithm>

namespace device {

namespace {

const QString kBadFile = QStringLiteral("Bad FW file!");

QString VerdictText(const SectionHeaderRead& read) {
    switch (read.verdict) {
        case SectionVerdict::Good:
            return QStringLiteral("header checks");
        case SectionVerdict::HeaderPastEnd:
            return QStringLiteral("header cut short by the end of the file");
        case SectionVerdict::BadChecksum:
            return QStringLiteral("header fails its check");
        case SectionVerdict::ImagePastEnd:
            return QStringLiteral("image runs past the end of the file");
        case SectionVerdict::ImageTooLarge:
            return QStringLiteral("image larger than %1 bytes").arg(kMaxImageSize);
        case SectionVerdict::UnknownGroup:
            return QStringLiteral("unknown section group %1").arg(read.fields().group);
        case SectionVerdict::UnknownCode:
            return QStringLiteral("unknown section code %1").arg(read.fields().code);
        case SectionVerdict::EmptyImage:
            return QStringLiteral("empty image");
    }
    return {};
}

bool KnownCode(quint8 code) {
    return code == kStagedPartCode || code == kPlainPartCode;
}

}  // namespace

FileReadResult ReadFirmwareFile(const QString& path) {
    return ReadWholeFile(path, kMaxFirmwareFileSize);
}

QString FirmwareFileProblemText(const QString& path, const FileReadResult& result) {
    return QStringLiteral("Firmware file: ") + path +
           FileProblemSuffix(result, kMaxFirmwareFileSize);
}

QString SectionProblemText(const SectionHeaderRead& read) {
    switch (read.verdict) {
        case SectionVerdict::ImageTooLarge:
        case SectionVerdict::UnknownGroup:
        case SectionVerdict::UnknownCode:
        case SectionVerdict::EmptyImage:
            return kBadFile + QLatin1Char(' ') + read.label() + QStringLiteral(": ") +
                   VerdictText(read);
        default:
            return kBadFile;
    }
}

SectionHeaderRead FirmwareReader::ReadSectionHeader() {
    SectionHeaderRead read;
    const qsizetype taken = std::clamp<qsizetype>(file_.size() - position_, 0, kSectionHeaderSize);
    const QByteArrayView bytes = QByteArrayView(file_).sliced(position_, taken);
    std::transform(bytes.begin(), bytes.end(), read.header.begin(),
                   [](char c) { return static_cast<quint8>(c); });
    position_ += taken;
    if (taken < kSectionHeaderSize) {
        read.verdict = SectionVerdict::HeaderPastEnd;
    } else if (!SectionHeaderChecks(read.header)) {
        read.verdict = SectionVerdict::BadChecksum;
    } else if (read.imageSize() > static_cast<quint64>(file_.size() - position_)) {
        read.verdict = SectionVerdict::ImagePastEnd;
    } else if (read.imageSize() > kMaxImageSize) {
        read.verdict = SectionVerdict::ImageTooLarge;
    } else if (read.fields().group != kFirmwareGroup) {
        read.verdict = SectionVerdict::UnknownGroup;
    } else if (!KnownCode(read.fields().code)) {
        read.verdict = SectionVerdict::UnknownCode;
    } else if (read.imageSize() == 0) {
        read.verdict = SectionVerdict::EmptyImage;
    } else {
        read.verdict = SectionVerdict::Good;
    }
    return read;
}

QByteArray FirmwareReader::ReadSectionImage(const SectionHeaderRead& read) {
    if (!read.good()) return {};
    const auto size = static_cast<qsizetype>(read.imageSize());
    const QByteArray image = UnscrambleImage(QByteArrayView(file_).sliced(position_, size));
    position_ += size;
    return image;
}

const SectionSummary* FirmwareSummary::firstProblem() const {
    const auto bad = std::find_if(sections.begin(), sections.end(),
                                  [](const SectionSummary& s) { return !s.read.good(); });
    return bad == sections.end() ? nullptr : &*bad;
}

FirmwareSummary SummariseFirmware(const QByteArray& file) {
    FirmwareSummary summary;
    FirmwareReader reader(file);
    do {
        const qsizetype offset = reader.Position();
        const SectionHeaderRead read = reader.ReadSectionHeader();
        summary.sections.push_back({offset, read});
        if (!read.good()) return summary;
        reader.ReadSectionImage(read);
    } while (!reader.AtEnd());
    summary.everyHeaderChecks = true;
    return summary;
}

QString FirmwareSummaryText(const FirmwareSummary& summary) {
    QStringList parts;
    for (const SectionSummary& s : summary.sections) {
        if (s.read.good())
            parts << QStringLiteral("%1 (%2 bytes)").arg(s.read.label()).arg(s.read.imageSize());
    }
    QString text =
        QStringLiteral("%1 section%2").arg(parts.size()).arg(parts.size() == 1 ? "" : "s");
    if (!parts.isEmpty()) text += QStringLiteral(": ") + parts.join(QStringLiteral(", "));
    if (const SectionSummary* bad = summary.firstProblem()) {
        const auto index = bad - summary.sections.data() + 1;
        return text + QStringLiteral("; section %1 at offset %2: %3, %4")
                          .arg(index)
                          .arg(bad->offset)
                          .arg(kBadFile, VerdictText(bad->read));
    }
    return text + QStringLiteral("; every header checks");
}

QStringList FirmwareSectionLines(const FirmwareSummary& summary) {
    QStringList lines;
    int index = 0;
    for (const SectionSummary& s : summary.sections) {
        QString line = QStringLiteral("Section %1 at offset %2: ").arg(++index).arg(s.offset);
        if (s.read.verdict != SectionVerdict::HeaderPastEnd) {
            line +=
                QStringLiteral("%1, image %2 bytes, ").arg(s.read.label()).arg(s.read.imageSize());
        }
        lines << line + VerdictText(s.read);
    }
    return lines;
}

}  // namespace device

// A merged firmware file: summarised for the operator, then read section by section as the
// upgrade does. A second pass gives the first header a right checksum, so the fuzzer gets
// past it to the sizes and codes.
#include <QByteArray>
#include <cstdint>
#include <cstdlib>

#include "firmware/FirmwareFile.h"

using namespace device;

namespace {

void summariseAndRead(const QByteArray& file) {
    const FirmwareSummary summary = SummariseFirmware(file);
    FirmwareSummaryText(summary);
    if (FirmwareSectionLines(summary).size() != qsizetype(summary.sections.size())) std::abort();
    FirmwareReader reader(file);
    while (!reader.AtEnd()) {
        const qsizetype before = reader.Position();
        const SectionHeaderRead read = reader.ReadSectionHeader();
        if (!read.good()) {
            SectionProblemText(read);
            break;
        }
        const QByteArray image = reader.ReadSectionImage(read);
        if (image.size() != qsizetype(read.imageSize()) || reader.Position() <= before ||
            reader.Position() > file.size())
            std::abort();
    }
}

QByteArray withFirstHeaderChecked(QByteArray file) {
    if (file.size() < kSectionHeaderSize) return file;
    SectionHeader header{};
    std::copy_n(file.constData(), kSectionHeaderSize, header.begin());
    file[kHeaderChecksumOffset] = static_cast<char>(SectionHeaderChecksum(header));
    return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray file(reinterpret_cast<const char*>(data), qsizetype(size));
    summariseAndRead(file);
    summariseAndRead(withFirstHeaderChecked(file));
    return 0;
}

// An EDID file's bytes through the reader and the decoder. The decoder only sees images that
// pass the check, so a second pass gives the input a valid header and checksum first.
#include <QByteArray>
#include <cstdint>
#include <cstdlib>

#include "device/EdidDecoder.h"
#include "device/EdidFile.h"

using namespace device;

namespace {

void readAndDecode(const QByteArray& bytes) {
    const EdidReadResult read = edidFromFileBytes(bytes);
    if (read.ok() != (read.edid.size() == kEdidSize)) std::abort();
    const auto summary = edidSummary(read.ok() ? read.edid : bytes);
    if (summary.has_value() != read.ok()) std::abort();
}

QByteArray madeValid(QByteArray bytes) {
    bytes.resize(kEdidSize, '\0');
    const QByteArray header = QByteArray::fromHex("00FFFFFFFFFFFF00");
    bytes.replace(0, header.size(), header);
    // Each 128-byte block sums to 0 modulo 256.
    for (int block = 0; block < kEdidSize; block += 128) {
        unsigned sum = 0;
        for (int i = block; i < block + 127; ++i) sum += quint8(bytes[i]);
        bytes[block + 127] = static_cast<char>(0u - sum);
    }
    return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    readAndDecode(bytes);
    readAndDecode(madeValid(bytes));
    return 0;
}

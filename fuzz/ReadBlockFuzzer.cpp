// The blocks of one data-in transfer, judged and kept as ReadData does. Input: the bound's
// two bytes, then blocks of 270 bytes (the last may be short).
#include <QByteArray>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "link/Frame.h"
#include "link/ReadBlock.h"

using namespace devlink;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const int limit = data[0] | (data[1] << 8);
    auto input = std::span(data, size).subspan(2);
    Frame request = BuildFrame(0x03, 0x05, 0x00AA);
    QByteArray kept;
    ReadProgress progress;
    while (!input.empty()) {
        const auto block = input.first(std::min<std::size_t>(input.size(), kBlockSize));
        input = input.subspan(block.size());
        const BlockVerdict verdict = JudgeReadBlock(block, request, progress, limit);
        if (verdict == BlockVerdict::OverLimit) break;
        if (verdict == BlockVerdict::Bad) continue;
        const auto payload = ReadBlockPayload(block);
        if (payload.size() > static_cast<std::size_t>(kMaxPayload)) std::abort();
        kept.append(reinterpret_cast<const char*>(payload.data()),
                    static_cast<qsizetype>(payload.size()));
        progress = {kept.size(), progress.blocks + 1};
        if (kept.size() > limit || progress.blocks > BlockLimit(limit)) std::abort();
        if (verdict == BlockVerdict::Last) break;
        SetParam(request, 1, 0x0000);
        Seal(request);
    }
    return 0;
}

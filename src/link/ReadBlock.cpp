#include "link/ReadBlock.h"

#include <algorithm>

namespace devlink {

int BlockLimit(int limitBytes) {
    return std::max(1, (limitBytes + kMaxPayload - 1) / kMaxPayload);
}

BlockVerdict JudgeReadBlock(std::span<const quint8> block, const Frame& request, ReadProgress kept,
                            int limitBytes) {
    if (block.size() < static_cast<std::size_t>(kFrameSize + 1)) return BlockVerdict::Bad;
    const Frame header = FrameFrom(block);
    const quint8 status = header[kStatusOffset];
    if (status == kStatusRefused || !HeaderValid(header, request)) return BlockVerdict::Bad;
    if (status != kStatusReady && status != kStatusLast) return BlockVerdict::Bad;
    const int length = Param(header, 2);
    if (length > kMaxPayload || block.size() < static_cast<std::size_t>(kFrameSize + 1 + length))
        return BlockVerdict::Bad;
    if (DataChecksum(ReadBlockPayload(block)) != block[kFrameSize]) return BlockVerdict::Bad;
    const bool last = status == kStatusLast;
    // A switcher that keeps sending "not last" blocks must not hold the link for ever.
    if (kept.bytes + length > limitBytes || (!last && kept.blocks + 1 >= BlockLimit(limitBytes)))
        return BlockVerdict::OverLimit;
    return last ? BlockVerdict::Last : BlockVerdict::More;
}

std::span<const quint8> ReadBlockPayload(std::span<const quint8> block) {
    constexpr std::size_t kPayloadOffset = kFrameSize + 1;
    if (block.size() <= kPayloadOffset) return {};
    const auto length = static_cast<std::size_t>(Param(FrameFrom(block), 2));
    return block.subspan(kPayloadOffset, std::min(length, block.size() - kPayloadOffset));
}

}  // namespace devlink

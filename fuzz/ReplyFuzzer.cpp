// One exchange's reply path: deliveries of any size gathered into the expected reply, then
// the acceptance tests. Input: group, code, reply kind, then deliveries, each a length byte
// and that many bytes.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "link/Frame.h"
#include "link/ReplyAssembler.h"

using namespace devlink;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    const Frame request = BuildFrame(data[0], data[1], 0x00FE);
    constexpr int kExpected[] = {kFrameSize, kBlockSize, 32, 0};
    const int expected = kExpected[data[2] % 4];
    auto input = std::span(data, size).subspan(3);

    ReplyAssembler reply;
    reply.reset(expected);
    std::size_t takenTotal = 0;
    while (!input.empty() && !reply.complete()) {
        const std::size_t length = std::min<std::size_t>(input[0], input.size() - 1);
        const auto delivery = input.subspan(1, length);
        input = input.subspan(1 + length);
        const auto taken = reply.take(delivery);
        if (taken.size() > delivery.size() || (!taken.empty() && taken.data() != delivery.data()))
            std::abort();
        if (!std::equal(taken.begin(), taken.end(), reply.bytes().begin() + takenTotal))
            std::abort();
        takenTotal += taken.size();
    }
    if (takenTotal > static_cast<std::size_t>(expected)) std::abort();
    if (reply.complete() != (expected > 0 && takenTotal == static_cast<std::size_t>(expected)))
        std::abort();
    if (reply.complete()) {
        const Frame header = reply.header();
        const bool accepted = ReplyAccepted(header, request);
        if (accepted && (!ChecksumHolds(header) || header[kStatusOffset] == kStatusRefused))
            std::abort();
    }
    return 0;
}

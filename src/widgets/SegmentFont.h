#pragma once

#include <QChar>
#include <cstdint>

namespace widgets {

// One bit per segment, in the usual a-g lettering: a top, b upper right, c lower right,
// d bottom, e lower left, f upper left, g middle.
enum Segment : std::uint8_t {
    kSegA = 1 << 0,
    kSegB = 1 << 1,
    kSegC = 1 << 2,
    kSegD = 1 << 3,
    kSegE = 1 << 4,
    kSegF = 1 << 5,
    kSegG = 1 << 6,
};

using SegmentMask = std::uint8_t;

inline constexpr int kSegmentCount = 7;

// Segments lit for one character; letters are matched upper-cased and anything the
// display cannot show comes back blank.
SegmentMask segmentsFor(QChar ch);

}  // namespace widgets

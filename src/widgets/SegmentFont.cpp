#include "widgets/SegmentFont.h"

#include <array>

namespace widgets {

namespace {

constexpr std::array<SegmentMask, 10> kDigits = {
    kSegA | kSegB | kSegC | kSegD | kSegE | kSegF,          // 0
    kSegB | kSegC,                                          // 1
    kSegA | kSegB | kSegD | kSegE | kSegG,                  // 2
    kSegA | kSegB | kSegC | kSegD | kSegG,                  // 3
    kSegB | kSegC | kSegF | kSegG,                          // 4
    kSegA | kSegC | kSegD | kSegF | kSegG,                  // 5
    kSegA | kSegC | kSegD | kSegE | kSegF | kSegG,          // 6
    kSegA | kSegB | kSegC,                                  // 7
    kSegA | kSegB | kSegC | kSegD | kSegE | kSegF | kSegG,  // 8
    kSegA | kSegB | kSegC | kSegD | kSegF | kSegG,          // 9
};

// Seven segments cannot draw every capital, so some letters take their lower-case
// shape (b, d, n, o, r, t, u) to stay apart from digits and other letters.
constexpr std::array<SegmentMask, 26> kLetters = {
    kSegA | kSegB | kSegC | kSegE | kSegF | kSegG,  // A
    kSegC | kSegD | kSegE | kSegF | kSegG,          // b
    kSegA | kSegD | kSegE | kSegF,                  // C
    kSegB | kSegC | kSegD | kSegE | kSegG,          // d
    kSegA | kSegD | kSegE | kSegF | kSegG,          // E
    kSegA | kSegE | kSegF | kSegG,                  // F
    kSegA | kSegC | kSegD | kSegE | kSegF,          // G
    kSegB | kSegC | kSegE | kSegF | kSegG,          // H
    kSegE | kSegF,                                  // I
    kSegB | kSegC | kSegD | kSegE,                  // J
    kSegA | kSegC | kSegE | kSegF | kSegG,          // K
    kSegD | kSegE | kSegF,                          // L
    kSegA | kSegB | kSegC | kSegE | kSegF,          // M
    kSegC | kSegE | kSegG,                          // n
    kSegC | kSegD | kSegE | kSegG,                  // o
    kSegA | kSegB | kSegE | kSegF | kSegG,          // P
    kSegA | kSegB | kSegC | kSegF | kSegG,          // q
    kSegE | kSegG,                                  // r
    kSegA | kSegC | kSegD | kSegF | kSegG,          // S
    kSegD | kSegE | kSegF | kSegG,                  // t
    kSegB | kSegC | kSegD | kSegE | kSegF,          // U
    kSegC | kSegD | kSegE,                          // u, standing for V
    kSegB | kSegD | kSegF,                          // W
    kSegB | kSegC | kSegE | kSegF | kSegG,          // X, as H
    kSegB | kSegC | kSegD | kSegF | kSegG,          // Y
    kSegA | kSegB | kSegD | kSegE | kSegG,          // Z, as 2
};

}  // namespace

SegmentMask segmentsFor(QChar ch) {
    const char16_t c = ch.toUpper().unicode();
    if (c >= u'0' && c <= u'9') return kDigits[c - u'0'];
    if (c >= u'A' && c <= u'Z') return kLetters[c - u'A'];
    if (c == u'-') return kSegG;
    return 0;
}

}  // namespace widgets

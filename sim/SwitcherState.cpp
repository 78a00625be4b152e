#include "SwitcherState.h"

#include "SampleEdid.h"

namespace sim {

namespace {
constexpr quint16 kBuiltInProduct = 0x0100;
constexpr quint16 kDefaultProduct = 0x0200;
constexpr quint16 kUserProduct = 0x0300;
constexpr quint16 kDisplayProduct = 0x0400;

QByteArray numbered(const char* prefix, int number) {
    return QByteArray(prefix) + QByteArray::number(number);
}
}  // namespace

SwitcherState::SwitcherState() : defaultEdid(makeSampleEdid(kDefaultProduct, "SIM DEFAULT")) {
    for (int n = 1; n <= kBuiltInEdidCount; ++n) {
        builtInEdids[n - 1] = makeSampleEdid(kBuiltInProduct + n, numbered("SIM MODE ", n));
    }
    for (int n = 1; n <= kUserEdidCount; ++n) {
        userEdid[n - 1] = makeSampleEdid(kUserProduct + n, numbered("SIM USER ", n));
    }
    for (int n = 1; n <= kPortCount; ++n) {
        outputEdid[n - 1] = makeSampleEdid(kDisplayProduct + n, numbered("SIM DISPLAY ", n));
        inputEdid[n - 1] = defaultEdid;
    }
}

}  // namespace sim

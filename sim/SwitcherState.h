#pragma once

#include <QByteArray>
#include <array>

namespace sim {

inline constexpr int kPortCount = 6;
inline constexpr int kBuiltInEdidCount = 15;  // selectors 0xF001..0xF00F
inline constexpr int kUserEdidCount = 2;      // selectors 0xF100 and 0xF200

// Everything the simulated switcher remembers. Tests and the program may change any field.
struct SwitcherState {
    SwitcherState();

    bool powerOn = true;
    std::array<quint8, kPortCount> routes{1, 2, 3, 4, 5, 6};  // input (1..6) per output
    quint8 deviceType = 1;                                    // 1 HDMI, 2 HDBT, 3 HDMI+HDBT
    quint8 inputCount = kPortCount;
    quint8 outputCount = kPortCount;
    quint8 firmwareMajor = 2;
    quint8 firmwareMinor = 5;
    std::array<bool, kPortCount> inputLinked{true, true, true, false, true, false};
    std::array<bool, kPortCount> outputLinked{true, true, false, true, true, false};
    bool irOn = true;
    bool keysUnlocked = false;  // set by 0x0F, cleared by 0xF0; the panel starts locked
    bool apmOn = false;
    bool beeperOn = true;

    std::array<QByteArray, kBuiltInEdidCount> builtInEdids;  // index n-1 for selector 0xF000+n
    QByteArray defaultEdid;                                  // loaded by the "default" commands
    std::array<QByteArray, kPortCount> inputEdid;   // what each input presents to its source
    std::array<QByteArray, kPortCount> outputEdid;  // the display's EDID; read only if linked
    std::array<QByteArray, kUserEdidCount> userEdid;
    bool edidWriteGateOn = true;  // last Set EDID write gate value (0x0F on, 0xF0 off)
    int rebootCount = 0;
};

}  // namespace sim

#include "device/EdidModes.h"

#include <algorithm>

namespace device {

namespace {

constexpr int kBuiltInBase = 0xF000;
constexpr int kUserMemoryStep = 0x100;
// Built-in numbers stop below the first user memory, so they can never alias it.
constexpr int kBuiltInLimit = kUserMemoryStep;
constexpr int kSelectorLimit = 0x10000;

bool isUserEntry(const QString& text) {
    return text.toUpper().contains(QLatin1String("USER"));
}

EdidModeChoice selectorChoice(int selector) {
    if (selector >= kSelectorLimit) {
        return {};
    }
    return {EdidModeChoice::Kind::Selector, quint16(selector)};
}

}  // namespace

QStringList designedEdidModes() {
    return {
        QStringLiteral("Select EDID"),
        QStringLiteral("1080i, Stereo Audio 2.0"),
        QStringLiteral("1080i, Dolby/DTS 5.1"),
        QStringLiteral("1080i, HD Audio 7.1"),
        QStringLiteral("1080p, Stereo Audio 2.0"),
        QStringLiteral("1080p, Dolby/DTS 5.1"),
        QStringLiteral("1080p, HD Audio 7.1"),
        QStringLiteral("3D, Stereo Audio 2.0"),
        QStringLiteral("3D, Dolby/DTS 5.1"),
        QStringLiteral("3D, HD Audio 7.1"),
        QStringLiteral("4K2K, Stereo Audio 2.0"),
        QStringLiteral("4K2K, Dolby/DTS 5.1"),
        QStringLiteral("4K2K, HD Audio 7.1"),
        QStringLiteral("1024x768 DVI"),
        QStringLiteral("1920x1080 DVI"),
        QStringLiteral("1920x1200 DVI"),
        QStringLiteral("User1"),
        QStringLiteral("User2"),
        QStringLiteral("Default EDID"),
        QStringLiteral("Auto EDID"),
    };
}

EdidModeChoice edidModeChoice(const QStringList& modes, int index) {
    if (index <= 0 || index >= modes.size()) {
        return {};
    }
    if (index == modes.size() - 1) {
        return {EdidModeChoice::Kind::DefaultEdid, 0};
    }
    if (isUserEntry(modes[index])) {
        const int firstUser =
            int(std::find_if(modes.begin(), modes.end(), isUserEntry) - modes.begin());
        return selectorChoice(kBuiltInBase + (index - firstUser + 1) * kUserMemoryStep);
    }
    if (index >= kBuiltInLimit) {
        return {};
    }
    return selectorChoice(kBuiltInBase + index);
}

}  // namespace device

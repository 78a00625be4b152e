#pragma once

#include <string>
#include <string_view>

namespace testing_support {

// A GoogleTest case name (letters, digits and '_' only) for any text. Spaces are spelt out and
// other bytes written in hex, so " Yes", "Yes " and "Yes" still name different cases.
inline std::string caseName(std::string_view text) {
    if (text.empty()) return "Empty";
    constexpr char kHex[] = "0123456789ABCDEF";
    std::string name;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
            c == '_') {
            name += c;
        } else if (c == ' ') {
            name += "Space";
        } else {
            name += {'x', kHex[byte >> 4], kHex[byte & 0xF]};
        }
    }
    return name;
}

// Name generator for tables whose cases carry a `name`.
inline constexpr auto byName = [](const auto& info) { return caseName(info.param.name); };

}  // namespace testing_support

#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <string_view>

namespace testing_support {

// A test name may hold only letters, digits and '_': every other run of characters
// becomes one '_', so "Output3 - [TV]" reads "Output3_TV".
inline std::string ToCaseName(std::string_view text) {
    std::string name;
    bool gap = false;
    for (const char c : text) {
        if (std::isalnum(static_cast<unsigned char>(c)) != 0) {
            if (gap && !name.empty()) name += '_';
            name += c;
            gap = false;
        } else {
            gap = true;
        }
    }
    return name;
}

// Name generator for INSTANTIATE_TEST_SUITE_P: the case's position in the list, which keeps
// names unique, then what `describe(param)` says about it.
template <typename Describe>
auto CaseNamer(Describe describe) {
    return [describe](const auto& info) {
        const std::string text = ToCaseName(describe(info.param));
        return std::to_string(info.index) + (text.empty() ? "" : "_" + text);
    };
}

}  // namespace testing_support

#pragma once
// Letter case of whole words in Windows-1252, the thesaurus's code page.

#include "common/Cp1252.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace kerfa::spelling {

inline std::string LowerCase(std::string_view word) {
    std::string out(word);
    for (char& c : out)
        c = static_cast<char>(cp1252::toLower(static_cast<std::uint8_t>(c)));
    return out;
}

inline std::string UpperCase(std::string_view word) {
    std::string out(word);
    for (char& c : out)
        c = static_cast<char>(cp1252::toUpper(static_cast<std::uint8_t>(c)));
    return out;
}

inline bool SameLetters(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return cp1252::toLower(static_cast<std::uint8_t>(x)) ==
               cp1252::toLower(static_cast<std::uint8_t>(y));
    });
}

} // namespace kerfa::spelling

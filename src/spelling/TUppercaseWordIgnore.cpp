#include "spelling/TUppercaseWordIgnore.h"

#include "common/Cp1252.h"

#include <algorithm>

namespace kerfa::spelling {

bool TUppercaseWordIgnore::JudgeWord(const std::string& word, TControlParser&) {
    return std::all_of(word.begin(), word.end(), [](char c) {
        const auto b = static_cast<std::uint8_t>(c);
        return cp1252::toUpper(b) == b;
    });
}

} // namespace kerfa::spelling

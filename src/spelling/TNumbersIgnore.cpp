#include "spelling/TNumbersIgnore.h"

#include <algorithm>

namespace kerfa::spelling {

bool TNumbersIgnore::JudgeWord(const std::string& word, TControlParser&) {
    return std::any_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace kerfa::spelling

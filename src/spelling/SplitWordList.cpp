#include "spelling/SplitWordList.h"

#include "common/Cp1252.h"

namespace kerfa::spelling {

std::vector<std::string> SplitWordList(std::string_view content, std::size_t& unrepresentable) {
    std::vector<std::string> words;
    unrepresentable = 0;
    const bool utf8 = cp1252::isValidUtf8(content);
    std::string word;
    while (!content.empty()) {
        const auto eol = content.find('\n');
        std::string_view line = content.substr(0, eol);
        content = eol == std::string_view::npos ? std::string_view{} : content.substr(eol + 1);
        const auto first = line.find_first_not_of(" \t\r");
        if (first == std::string_view::npos)
            continue;
        line = line.substr(first, line.find_last_not_of(" \t\r") - first + 1);
        if (!utf8)
            words.emplace_back(line);
        else if (cp1252::fromUtf8(line, word))
            words.push_back(word);
        else
            ++unrepresentable;
    }
    return words;
}

} // namespace kerfa::spelling

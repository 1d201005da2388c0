#include "spelling/TAbbreviationsIgnore.h"

#include <string_view>

namespace kerfa::spelling {

bool TAbbreviationsIgnore::JudgeWord(const std::string& word, TControlParser&) {
    if (word.find('.') == std::string::npos)
        return false;
    std::string_view rest = word;
    while (rest.size() >= 3 && rest[1] == '.')
        rest.remove_prefix(2);
    return rest.size() < 3;
}

} // namespace kerfa::spelling

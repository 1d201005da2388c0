// Personal word lists of other spelling checkers on arbitrary bytes: every word read is a
// whole word of the list (no line break, no affix flags, never empty), and each can be added
// to a dictionary and found there.

#include "spelling/PersonalWordList.h"
#include "spelling/TCustomDictionary.h"

#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view content(reinterpret_cast<const char*>(data), size);
    kerfa::spelling::TCustomDictionary list;
    for (const std::string& word : kerfa::spelling::PersonalWordList::Words(content)) {
        if (word.empty() || word.find_first_of("\r\n/") != std::string::npos)
            std::abort();
        if (list.AddWord(word) && !list.IsAdded(word))
            std::abort();
    }
    return 0;
}

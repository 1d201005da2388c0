#include "dictc/WordList.h"

#include "spelling/SplitWordList.h"
#include "spelling/TMainDictionary.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace kerfa::dictc {

bool WordList::Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    const std::string content{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        return false;
    Parse(content);
    return true;
}

void WordList::Parse(std::string_view content) {
    words_ = spelling::SplitWordList(content, skipped_);
    const auto unusable = [](const std::string& word) {
        if (word.size() > spelling::TMainDictionary::kMaxWordLength)
            return true;
        for (const char c : word)
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
                return true;
        return false;
    };
    const auto kept = std::remove_if(words_.begin(), words_.end(), unusable);
    skipped_ += static_cast<std::size_t>(words_.end() - kept);
    words_.erase(kept, words_.end());
}

} // namespace kerfa::dictc

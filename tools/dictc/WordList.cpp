#include "dictc/WordList.h"

#include "common/WholeFile.h"
#include "spelling/SplitWordList.h"
#include "spelling/TMainDictionary.h"

#include <algorithm>

namespace kerfa::dictc {

bool WordList::Read(const std::string& path) {
    std::string content;
    if (WholeFile::read(path, content) != WholeFile::Status::Ok)
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

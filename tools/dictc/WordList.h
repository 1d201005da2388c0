#pragma once
// WordList: a plain word list, one word a line, read into the 8-bit code page of a main
// dictionary. The file is taken as UTF-8 when all of it is valid UTF-8, otherwise as
// Windows-1252. Words the code page cannot represent, words with control characters and words
// longer than a dictionary walks are skipped and counted.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kerfa::dictc {

class WordList {
public:
    bool Read(const std::string& path);
    void Parse(std::string_view content);

    const std::vector<std::string>& Words() const { return words_; }
    std::size_t Skipped() const { return skipped_; }

private:
    std::vector<std::string> words_;
    std::size_t skipped_ = 0;
};

} // namespace kerfa::dictc

#pragma once
// DictionaryCompiler: builds a main dictionary file (".adm") from words in the dictionary's
// code page. The words go into a letter tree; below the first letters, chains of single
// children that end no word are packed into their parent node (up to eight extra characters);
// nodes are numbered table by table (by their number of extra characters), child lists are laid
// out in the linkage area, and the first-letter table lets a lookup skip the root.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kerfa::dictc {

class DictionaryCompiler {
public:
    static constexpr std::uint32_t kMaxExtraChars = 8;

    // Empty words and duplicates are ignored.
    void AddWord(std::string_view word);

    // The file image, or an empty vector with Error() set when the tree exceeds the format.
    std::vector<std::uint8_t> Build(std::string_view titleUtf8, std::uint32_t language);

    const std::string& Error() const { return error_; }
    std::uint32_t WordCount() const { return wordCount_; }
    std::uint32_t NodeCount() const { return nodeCount_; }
    std::size_t LinkageSize() const { return linkageSize_; }

private:
    std::vector<std::string> words_;
    std::string error_;
    std::uint32_t wordCount_ = 0;
    std::uint32_t nodeCount_ = 0;
    std::size_t linkageSize_ = 0;
};

} // namespace kerfa::dictc

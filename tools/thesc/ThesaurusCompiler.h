#pragma once
// ThesaurusCompiler: builds a thesaurus file (".adt") in either layout of ThesaurusFormat.h
// from words and their meanings, all in Windows-1252.
//
// Every word, head word and list word becomes a path in one letter tree. A word whose tail
// below some node neither branches nor ends another word is packed: that node starts a chain,
// carries the word's meanings, and stands for the word in entry lists. No chain starts at a
// node where another word ends, so a chain start never holds two words' meanings. Only the
// nodes on the way to a word that entries name get a parent reference (entries name words by
// node, and a word is read back towards the root). Identical entries are stored once.

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kerfa::thesc {

class ThesaurusCompiler {
public:
    using Lists = std::array<std::vector<std::string>, 4>;

    // Gives `word` a meaning: the entry (head word and four lists) with a kind of 0 to 4.
    // Empty words and list words are left out; a word refers to one entry with one kind once.
    void AddMeaning(std::string_view word, std::uint8_t kind, std::string_view head,
                    const Lists& lists);

    // The file image, or an empty vector with Error() set when the thesaurus does not fit the
    // layout (the narrow one holds 65,536 nodes and 13,107 entries).
    std::vector<std::uint8_t> Build(std::string_view name,
                                    const std::array<std::string, 5>& kindNames, bool wide);

    const std::string& Error() const { return error_; }
    std::size_t WordCount() const { return refs_.size(); }
    std::size_t EntryCount() const { return entries_.size(); }
    std::size_t NodeCount() const { return trie_.size(); }

private:
    static constexpr std::uint32_t kNone = UINT32_MAX;

    struct TrieNode {
        std::uint8_t ch = 0;
        bool end = false;
        std::uint32_t parent = kNone;
        std::uint32_t firstChild = kNone;
        std::uint32_t nextSibling = kNone;
        std::uint32_t childCount = 0;
    };
    struct Entry {
        std::uint32_t head = 0;
        std::array<std::vector<std::uint32_t>, 4> lists;
        auto operator<=>(const Entry&) const = default;
    };

    std::uint32_t Insert(std::string_view word);

    std::vector<TrieNode> trie_{TrieNode{}};
    std::vector<Entry> entries_;
    std::map<Entry, std::uint32_t> entryIndex_;
    // Meaning references of each word node, in the order they were added.
    std::unordered_map<std::uint32_t, std::vector<std::uint32_t>> refs_;
    std::string error_;
};

} // namespace kerfa::thesc

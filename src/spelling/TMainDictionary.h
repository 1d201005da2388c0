#pragma once
// TMainDictionary: a read-only, precompiled word list of one language (".adm"), stored as a
// letter tree whose single-child chains are packed into the nodes. It answers whether an exact
// byte string is a word and walks the words under a prefix for the suggestion generator.
//
// Words are 8-bit text in the dictionary's code page; comparisons are byte-exact and
// case-sensitive (the caller folds case). The file is mapped read-only on first use and never
// copied except for the 3072 bytes of tables at its end. Every node number, offset, count and
// linkage reference is checked against the mapped size, so a damaged or truncated file can
// only make words unknown, never crash the reader.
//
// Lookups walk a decoded copy of the nodes they pass: the first time a node's children are
// needed they are read from the file (size class, linkage references) into one array, children
// side by side, so that later lookups scan a few bytes per node instead of decoding each record
// again. Only what lookups touch is decoded, so opening stays instant.

#include "spelling/MappedFile.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kerfa::spelling {

class TMainDictionary {
public:
    // Longest word the prefix walk builds; deeper branches are not followed.
    static constexpr std::size_t kMaxWordLength = 255;

    struct Match {
        bool found = false;
        std::size_t matched = 0; // leading characters of the word found along the tree
    };

    enum class Visit { Descend, Stop };
    // Called for every word under the prefix; Stop keeps the walk out of that word's subtree.
    using Visitor = std::function<Visit(std::string_view word)>;
    // Called for every node under the prefix with the path up to and including the node's own
    // character and whether a word ends there; false keeps the walk out of its subtree.
    using NodeVisitor = std::function<bool(std::string_view path, bool endsWord)>;

    TMainDictionary() = default;
    TMainDictionary(const TMainDictionary&) = delete;
    TMainDictionary& operator=(const TMainDictionary&) = delete;

    // Reads and checks the header; on success the file name is set. Does not map the file
    // unless the dictionary was mapped before.
    bool Open(const std::string& fileName);
    // Maps (true) or unmaps (false) the file. Lookups map it on demand.
    bool SetLoaded(bool loaded);
    bool IsOpen() const { return !fileName_.empty(); }
    bool IsLoaded() const { return file_.IsMapped(); }

    Match Contains(std::string_view word);
    // Walks the words below the node reached by the prefix, depth-first in stored order.
    void EnumeratePrefix(std::string_view prefix, const Visitor& visitor);
    void WalkPrefix(std::string_view prefix, const NodeVisitor& visitor);

    const std::string& FileName() const { return fileName_; }
    const std::string& Title() const { return title_; } // UTF-8
    std::uint32_t Language() const { return language_; }
    std::uint32_t WordCount() const { return wordCount_; }
    std::uint32_t NodeCount() const { return nodeCount_; }

    // The engine counts its hits here to find the dictionary that suits the text best.
    std::uint64_t WordsFound() const { return wordsFound_; }
    void CountFound() { ++wordsFound_; }

private:
    struct Node {
        std::uint32_t value = 0;
        const std::uint8_t* extras = nullptr;
        std::uint32_t extraCount = 0;

        std::uint8_t Char() const { return static_cast<std::uint8_t>(value); }
        bool EndsWord() const { return (value & 0x80000000u) != 0; }
    };
    // Either one node number (direct) or `count` references in the linkage area at `offset`.
    struct Children {
        std::uint32_t count = 0;
        bool direct = false;
        std::uint32_t ref = 0;
    };

    // A node as lookups use it. Children lie side by side from firstChild once decoded.
    struct Decoded {
        std::uint32_t firstChild = 0;
        std::uint32_t extrasAt = 0; // offset of the extra characters in the file
        std::uint32_t node = 0;     // the node's number in the file
        std::uint16_t childCount = 0;
        std::uint8_t ch = 0;
        std::uint8_t extraCount = 0;
        bool endsWord = false;
        bool childrenDecoded = false;
    };
    static constexpr std::uint32_t kNoNode = 0xFFFFFFFF;

    void Reset();
    bool EnsureMapped();
    bool ReadNode(std::uint64_t index, Node& node) const;
    bool ReadRef(std::uint64_t& offset, std::uint32_t& ref) const;
    Children ChildrenOf(const Node& node) const;
    Children FirstLetterChildren(std::uint8_t letter) const;
    // Appends the nodes of `children` to the decoded array; answers the first one's index.
    std::uint32_t DecodeChildren(const Children& children, std::uint16_t& count);
    void DecodeChildrenOf(std::uint32_t index);
    std::uint32_t FirstLetterNode(std::uint8_t letter);
    std::uint32_t FindDecoded(std::uint32_t parent, std::uint8_t ch);
    bool Walk(std::uint32_t index, std::string& path, std::uint64_t& budget,
              const NodeVisitor& visitor);

    std::string fileName_;
    std::string title_;
    std::uint32_t language_ = 0;
    std::uint32_t wordCount_ = 0;
    std::uint32_t nodeCount_ = 0;
    std::array<std::uint64_t, 10> tableStart_{}; // byte offset of table k; [9] = end of tables
    std::array<std::uint64_t, 10> firstNode_{};  // number of table k's first node; [9] = total
    bool wideRefs_ = false;

    MappedFile file_;
    const std::uint8_t* linkage_ = nullptr;
    std::uint64_t linkageSize_ = 0;
    std::array<std::uint8_t, 2048> firstLetters_{};
    std::array<std::uint8_t, 1024> trailer_{};
    std::uint64_t wordsFound_ = 0;

    std::vector<Decoded> decoded_;                     // [0] is the root once decoded
    std::array<std::uint32_t, 256> firstLetterNode_{}; // pseudo-nodes of the first letters
    std::uint64_t decodeLimit_ = 0; // a damaged file cannot make the array grow past it
};

} // namespace kerfa::spelling

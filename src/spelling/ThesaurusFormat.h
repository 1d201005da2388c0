#pragma once
// The two layouts of a thesaurus file (".adt"), shared by the reader and the compiler.
//
// Both layouts follow one plan: a 165-byte header; the thesaurus name and five kind names,
// each a length byte and its bytes; the node count and the node records; the size of the link
// area and the area; the entry count and the entry records; the size of the entry-list area
// and the area. They differ only in the width of their numbers.
//
// The narrow layout is kept exactly so that existing files keep working:
// 16-bit node numbers and meaning references, a 16-bit entry count, 32-bit node records with
// a 20-bit link offset, 14-byte entry records. It holds at most 13,107 entries (a meaning
// reference is entry × 5 + kind) and 65,536 nodes, too few for a full English thesaurus.
//
// The wide layout is marked by its header: the compiler's banner followed by kWideLayoutLine.
// Node numbers, meaning references and the entry count are 32 bits, a node record is a 32-bit
// link offset, a flags byte and the character, and an entry record is 16 bytes (32-bit head
// node, four 16-bit list lengths, 32-bit list offset). Any other header means the narrow layout.

#include "spelling/DictionaryBanner.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kerfa::spelling {

inline constexpr std::size_t kThesaurusHeaderSize = 165;
inline constexpr std::string_view kThesaurusBannerTitle =
    "Kerfa Thesaurus Compiler, Version 1.0\r\n";
inline constexpr std::string_view kWideLayoutLine = "Layout: wide, 32-bit numbers\r\n";

static_assert(kThesaurusBannerTitle.size() + kPublisherLines.size() + kWideLayoutLine.size() +
                  kBannerEnd.size() <=
              kThesaurusHeaderSize);

// Node flags, in the order of bits 20 to 23 of a narrow node record; the wide record's flags
// byte holds them in bits 0 to 3.
inline constexpr std::uint8_t kNodeOneChild = 1;
inline constexpr std::uint8_t kNodeHasParent = 2;
inline constexpr std::uint8_t kNodeChainStart = 4;
inline constexpr std::uint8_t kNodeWordEnd = 8;

// A meaning reference names entry r / kKinds with kind r % kKinds.
inline constexpr std::uint32_t kKinds = 5;
inline constexpr std::size_t kLists = 4;

struct ThesaurusLayout {
    bool wide = false;
    std::size_t nodeSize = 4;        // a node record
    std::size_t numberSize = 2;      // node numbers and meaning references
    std::size_t entryCountSize = 2;  // M
    std::size_t entrySize = 14;      // an entry record
    std::uint64_t maxLinkOffset = 0; // the largest link offset a node record can hold

    static constexpr ThesaurusLayout Narrow() { return {false, 4, 2, 2, 14, 0xFFFFF}; }
    static constexpr ThesaurusLayout Wide() { return {true, 6, 4, 4, 16, 0xFFFFFFFF}; }
};

} // namespace kerfa::spelling

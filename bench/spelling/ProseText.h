#pragma once
// ProseText: the benchmark's prose, 200,000 words in Windows-1252 made deterministically from
// Debian's British English word list: Zipf-distributed words (shorter words commoner),
// sentences of 4 to 20 words with capitals, commas, quotes and paragraphs, and about 2% of the
// words misspelt by a swap of two letters. The same word list gives the same text on any machine.

#include <cstddef>
#include <string>

namespace kerfa::bench {

class ProseText {
public:
    static std::string Generate(const std::string& wordListPath, std::size_t words);
};

} // namespace kerfa::bench

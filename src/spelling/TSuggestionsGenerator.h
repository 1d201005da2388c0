#pragma once
// TSuggestionsGenerator: candidates one edit away from a word (two letters swapped, a letter
// missing, extra or wrong, letters two apart swapped) and splits into two words, each kept when
// the dictionaries know it. The kinds run in a fixed order and the run stops as soon as the list
// is over its maximum, so the cheap and likely edits come first.

#include <bitset>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kerfa::spelling {

class TSuggestionsGenerator {
public:
    enum Kind {
        skMissingLetter = 1,
        skSwappedLetters = 2,
        skExtraLetter = 4,
        skWrongLetter = 8,
        skSplit = 16
    };
    using Exists = std::function<bool(std::string_view candidate)>;

    TSuggestionsGenerator();

    // Adds the letters of a language (a Windows language identifier) to the letters tried.
    void SetLanguage(std::int32_t language);
    std::int32_t Language() const { return language_; }
    void SetKinds(unsigned kinds) { kinds_ = kinds; }

    // Appends to `list` the candidates for the word that exist (never the word itself). max -1
    // means 65535; 0 or less generates nothing.
    void Generate(std::string_view word, int max, const Exists& exists,
                  std::vector<std::string>& list);

private:
    std::int32_t language_ = 0;
    std::string innerLetters_, firstLetters_;
    unsigned kinds_ = 31;
};

} // namespace kerfa::spelling

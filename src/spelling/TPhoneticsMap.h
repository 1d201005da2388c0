#pragma once
// TPhoneticsMap: the sound code of a word, made by replacement rules of one language, for the
// phonetic suggestions: words whose codes are equal sound alike. The first StartDepth
// characters stay as they are (suggestions keep the first letters of the word).

#include "spelling/TReplaceNode.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kerfa::spelling {

class TPhoneticsMap : public TReplaceNode {
public:
    // Loads the rules of a language (a Windows language identifier; 0 and unknown languages
    // get the language-neutral rules).
    void SetLanguage(std::int32_t language);
    std::int32_t Language() const { return language_; }
    void Clear();

    // The code of the word. With `stableBefore`, only rules that start before that character
    // are applied: the result is then a prefix of the code of every word that starts with it.
    std::string Code(std::string_view word, std::size_t stableBefore = std::string::npos) const;
    // A candidate at `distance` from a word is close enough.
    bool WithinDistance(std::string_view word, int distance) const;

    int StartDepth = 2;
    bool RemoveRepeats = true;
    int CodeLimit = 6;
    int DistanceDivisor = 2;
    int MaxDistance = 4;

private:
    std::int32_t language_ = -1;
};

} // namespace kerfa::spelling

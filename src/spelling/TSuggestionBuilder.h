#pragma once
// TSuggestionBuilder: the ranked replacements for an unknown word. Candidates come from the edit
// generator and from the words of the primary dictionary that sound alike; each is scored by its
// distance to the word, phonetic ones too far away are dropped, the writer's earlier choices
// (the learning dictionary) are lifted, and the list is sorted by score and cut.

#include "spelling/TPhoneticsMap.h"
#include "spelling/TSuggestionsGenerator.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kerfa::spelling {

class TCustomDictionary;
class TMainDictionary;

class TSuggestionBuilder {
public:
    // The checker's dictionaries and tests.
    struct Sources {
        // Whether a candidate is a word (with the check's case folding).
        std::function<bool(std::string_view candidate)> exists;
        // Whether a learned replacement is acceptable to the check.
        std::function<bool(const std::string& word)> acceptable;
        TMainDictionary* primary = nullptr;
        TCustomDictionary* mapping = nullptr;
        TCustomDictionary* learning = nullptr;
    };
    struct Settings {
        bool phonetic = true;
        int maxDistance = 4;
        int divisor = 2;
        int depth = 2;
        std::function<void(TPhoneticsMap& map)> adjustMap;
    };

    // The language of the primary dictionary: the letters the generator tries.
    void SetLanguage(std::int32_t language);

    // Fills `list` (emptied first) with the replacements for the word, best first; max -1
    // means no limit.
    void Build(const std::string& word, int max, const Sources& sources, const Settings& settings,
               std::vector<std::string>& list);

    // Words of the dictionary under the word's first letters whose code equals the word's,
    // appended to `list` unless present; none for a code of one character or less. The walk
    // stops adding below a word once the list holds more than 500.
    static void EnumeratePhonetic(TMainDictionary& dictionary, std::string_view word,
                                  const TPhoneticsMap& map, std::vector<std::string>& list);

private:
    void UseMapLanguage(std::int32_t language, const Settings& settings);

    TSuggestionsGenerator generator_;
    TPhoneticsMap map_;
    std::int32_t language_ = 0;
};

} // namespace kerfa::spelling

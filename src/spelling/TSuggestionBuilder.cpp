#include "spelling/TSuggestionBuilder.h"

#include "common/Cp1252.h"
#include "spelling/SuggestionDistance.h"
#include "spelling/TCustomDictionary.h"
#include "spelling/TMainDictionary.h"

#include <algorithm>
#include <numeric>
#include <unordered_set>

namespace kerfa::spelling {

namespace {

constexpr std::size_t kPhoneticCap = 500;
constexpr std::size_t kFewForEnglish = 20;

bool isUpper(unsigned char c) {
    return cp1252::toLower(c) != c;
}

bool isLower(unsigned char c) {
    return cp1252::toUpper(c) != c;
}

// Two letters or more, none of them lower case, the first a capital.
bool isAllUpper(std::string_view word) {
    return word.size() > 1 && isUpper(static_cast<unsigned char>(word[0])) &&
           std::none_of(word.begin(), word.end(),
                        [](char c) { return isLower(static_cast<unsigned char>(c)); });
}

// A suggestion for a capitalised or all-capitals word takes the same case ("Teh" offers "Eh",
// not "eh").
std::string matchCase(const std::string& word, std::string candidate) {
    const auto first = static_cast<unsigned char>(word[0]);
    if (!isUpper(first) || candidate.empty())
        return candidate;
    const bool allUpper = isAllUpper(word);
    for (std::size_t i = 0; i < (allUpper ? candidate.size() : 1); ++i)
        candidate[i] = static_cast<char>(cp1252::toUpper(static_cast<unsigned char>(candidate[i])));
    return candidate;
}

} // namespace

void TSuggestionBuilder::SetLanguage(std::int32_t language) {
    if (language != language_ || generator_.Language() != language) {
        language_ = language;
        generator_.SetLanguage(language);
    }
}

void TSuggestionBuilder::UseMapLanguage(std::int32_t language, const Settings& settings) {
    if (map_.Language() != language) {
        map_.SetLanguage(language);
        if (settings.adjustMap)
            settings.adjustMap(map_);
    }
    if (settings.depth > 0)
        map_.StartDepth = settings.depth;
    map_.DistanceDivisor = settings.divisor;
    map_.MaxDistance = settings.maxDistance;
}

void TSuggestionBuilder::EnumeratePhonetic(TMainDictionary& dictionary, std::string_view word,
                                           const TPhoneticsMap& map,
                                           std::vector<std::string>& list) {
    const std::string code = map.Code(word);
    if (code.size() <= 1)
        return;
    const std::size_t depth = std::min<std::size_t>(std::max(map.StartDepth, 0), word.size());
    const std::size_t lookahead = map.Depth() > 0 ? map.Depth() - 1 : 0;
    std::unordered_set<std::string> present(list.begin(), list.end());
    const auto visit = [&](std::string_view path, bool endsWord) {
        // Rules that start this far back see no letter beyond the path, so their code is
        // shared by every word below: when it strays from the word's code, nothing below
        // can match.
        if (path.size() > depth + lookahead) {
            const std::string stable = map.Code(path, path.size() - lookahead);
            if (code.compare(0, stable.size(), stable) != 0)
                return false;
        }
        if (!endsWord)
            return true;
        const std::string other = map.Code(path);
        if (other == code) {
            if (present.insert(std::string(path)).second)
                list.emplace_back(path);
            return list.size() <= kPhoneticCap;
        }
        return other.size() <= code.size();
    };
    // The word's own first letters, and in lower case for a capitalised word, which the
    // dictionary holds mostly in lower case; an all-capitals word is also looked for among the
    // names ("LONDNO" under "Lo").
    const std::string prefix(word.substr(0, depth));
    std::string lower = prefix;
    for (char& c : lower)
        c = static_cast<char>(cp1252::toLower(static_cast<unsigned char>(c)));
    dictionary.WalkPrefix(prefix, visit);
    if (lower != prefix)
        dictionary.WalkPrefix(lower, visit);
    if (std::string name = lower; !name.empty() && name != prefix && isAllUpper(word)) {
        name[0] = prefix[0];
        if (name != prefix)
            dictionary.WalkPrefix(name, visit);
    }
}

void TSuggestionBuilder::Build(const std::string& word, int max, const Sources& sources,
                               const Settings& settings, std::vector<std::string>& list) {
    list.clear();
    if (word.empty())
        return;
    std::string mapped;
    if (sources.mapping && sources.mapping->FindPair(word, mapped)) {
        list.push_back(mapped);
        return;
    }
    // The generator runs unbounded for the dialog's "no limit".
    generator_.Generate(word, max < 0 ? -1 : max, sources.exists, list);
    const std::size_t generated = list.size();

    if (settings.phonetic && sources.primary) {
        const std::int32_t language = static_cast<std::int32_t>(sources.primary->Language());
        UseMapLanguage(language, settings);
        EnumeratePhonetic(*sources.primary, word, map_, list);
        if ((language & 0x3FF) == 9 && list.size() < kFewForEnglish) {
            UseMapLanguage(0, settings);
            EnumeratePhonetic(*sources.primary, word, map_, list);
        }
    }

    struct Entry {
        std::string text;
        int score;
    };
    std::vector<Entry> entries;
    entries.reserve(list.size() + 1);
    std::unordered_set<std::string> seen;
    for (std::size_t i = 0; i < list.size(); ++i) {
        std::string text = matchCase(word, std::move(list[i]));
        // The word being corrected is never its own suggestion.
        if (text == word || !seen.insert(text).second)
            continue;
        const int score = SuggestionDistance(word, text);
        if (i >= generated && !map_.WithinDistance(word, score))
            continue;
        entries.push_back({std::move(text), score});
    }

    if (sources.learning) {
        std::string learned;
        if (sources.learning->FindPair(word, learned) && learned != word) {
            const auto at = std::find_if(entries.begin(), entries.end(),
                                         [&](const Entry& e) { return e.text == learned; });
            if (at != entries.end())
                at->score = 0;
            else if (sources.acceptable && sources.acceptable(learned))
                entries.insert(entries.begin(), {learned, 0});
        }
        for (Entry& e : entries)
            e.score = sources.learning->IsAdded(e.text) ? 2 * e.score - 1 : 2 * e.score;
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry& a, const Entry& b) { return a.score < b.score; });
    if (max >= 0 && entries.size() > static_cast<std::size_t>(max))
        entries.resize(static_cast<std::size_t>(max));
    list.clear();
    for (Entry& e : entries)
        list.push_back(std::move(e.text));
}

} // namespace kerfa::spelling

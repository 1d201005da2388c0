#include "spelling/EnglishWordForms.h"

#include <algorithm>
#include <iterator>

namespace kerfa::spelling {

namespace {

struct IrregularForm {
    std::string_view form, base;
};

constexpr IrregularForm kIrregular[] = {
#include "EnglishIrregularForms.inc"
};

static_assert(std::size(kIrregular) > 1000, "the irregular forms were not read");

bool endsWith(std::string_view word, std::string_view ending) {
    return word.size() >= ending.size() && word.substr(word.size() - ending.size()) == ending;
}

bool isVowel(char c) {
    return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u';
}

bool isConsonant(char c) {
    return c >= 'a' && c <= 'z' && !isVowel(c);
}

// Ends in one vowel between consonants ("stop", "hop", "open"): a base whose final consonant
// doubles before an ending, or whose final e an ending dropped ("hoped" from hope).
bool endsShort(std::string_view stem) {
    const std::size_t n = stem.size();
    return n >= 2 && isConsonant(stem[n - 1]) && stem[n - 1] != 'w' && stem[n - 1] != 'x' &&
           stem[n - 1] != 'y' && isVowel(stem[n - 2]) && (n == 2 || !isVowel(stem[n - 3]));
}

bool endsDoubled(std::string_view stem) {
    const std::size_t n = stem.size();
    return n >= 3 && stem[n - 1] == stem[n - 2] && isConsonant(stem[n - 1]);
}

bool oneSyllable(std::string_view word) {
    int groups = 0;
    bool inVowels = false;
    for (const char c : word) {
        const bool vowel = isVowel(c) || c == 'y';
        groups += vowel && !inVowels;
        inVowels = vowel;
    }
    return groups == 1;
}

class Candidates {
public:
    Candidates(std::string_view word, std::vector<WordForm>& out) : word_(word), out_(out) {}

    void Add(std::string base, WordEnding ending) {
        if (base.size() < 2 || base == word_)
            return;
        if (std::none_of(out_.begin(), out_.end(),
                         [&](const WordForm& f) { return f.base == base; }))
            out_.push_back({std::move(base), ending});
    }

    // -ed, -ing, -er, -est, with the base's final consonant doubled ("stopped"), its final e
    // dropped ("hoped"), or its final y turned to i ("carried").
    void Regular(std::string_view suffix, WordEnding ending) {
        if (!endsWith(word_, suffix) || word_.size() < suffix.size() + 2)
            return;
        const std::string stem(word_.substr(0, word_.size() - suffix.size()));
        if (ending == WordEnding::Ing && stem.back() == 'y' && endsWith(word_, "ying") &&
            !isVowel(stem[stem.size() - 2])) {
            Add(stem.substr(0, stem.size() - 1) + "ie", ending); // lying: lie
        } else if (ending != WordEnding::Ing && stem.back() == 'i') {
            Add(stem.substr(0, stem.size() - 1) + "y", ending); // carried: carry
            Add(stem + "e", ending);                            // tied: tie
            return;
        }
        if (endsDoubled(stem)) {
            Add(stem, ending);                            // called: call
            Add(stem.substr(0, stem.size() - 1), ending); // stopped: stop
        } else if (endsShort(stem)) {
            Add(stem + "e", ending); // hoped: hope
            Add(stem, ending);       // opened: open
        } else {
            Add(stem, ending);       // walked: walk
            Add(stem + "e", ending); // caused: cause
        }
    }

private:
    std::string_view word_;
    std::vector<WordForm>& out_;
};

// The spellings a regular ending gives a base, likeliest first.
std::vector<std::string> regularSpellings(const std::string& base, WordEnding ending) {
    const char last = base.back();
    const bool consonantY = last == 'y' && base.size() >= 2 && !isVowel(base[base.size() - 2]);
    const auto doubling = [&](const std::string& suffix) -> std::vector<std::string> {
        const std::string doubled = base + last + suffix;
        if (!endsShort(base))
            return {base + suffix};
        if (oneSyllable(base))
            return {doubled, base + suffix};
        return {base + suffix, doubled};
    };
    switch (ending) {
    case WordEnding::S:
        if (endsWith(base, "s") || endsWith(base, "x") || endsWith(base, "z") ||
            endsWith(base, "ch") || endsWith(base, "sh"))
            return {base + "es"};
        if (consonantY)
            return {base.substr(0, base.size() - 1) + "ies"};
        if (last == 'o')
            return {base + "s", base + "es"};
        return {base + "s"};
    case WordEnding::Ed:
        if (last == 'e')
            return {base + "d"};
        if (consonantY)
            return {base.substr(0, base.size() - 1) + "ied"};
        return doubling("ed");
    case WordEnding::Ing:
        if (endsWith(base, "ie"))
            return {base.substr(0, base.size() - 2) + "ying"};
        if (last == 'e' && !endsWith(base, "ee") && !endsWith(base, "ye") && !endsWith(base, "oe"))
            return {base.substr(0, base.size() - 1) + "ing", base + "ing"};
        return doubling("ing");
    case WordEnding::Er:
    case WordEnding::Est: {
        const std::string suffix = ending == WordEnding::Er ? "er" : "est";
        if (last == 'e')
            return {base + suffix.substr(1)};
        if (consonantY)
            return {base.substr(0, base.size() - 1) + "i" + suffix};
        return doubling(suffix);
    }
    case WordEnding::Possessive:
        return {base + "'s"};
    case WordEnding::None:
    case WordEnding::Irregular:
        break;
    }
    return {};
}

} // namespace

std::vector<std::string> EnglishWordForms::IrregularBases(std::string_view form) {
    std::vector<std::string> bases;
    const auto* at =
        std::lower_bound(std::begin(kIrregular), std::end(kIrregular), form,
                         [](const IrregularForm& row, std::string_view w) { return row.form < w; });
    for (; at != std::end(kIrregular) && at->form == form; ++at)
        bases.emplace_back(at->base);
    return bases;
}

std::vector<WordForm> EnglishWordForms::BaseForms(std::string_view word) {
    std::vector<WordForm> regular = RegularBaseForms(word);
    // The table lists some regular forms too ("running": run); those keep their ending, so that
    // a replacement is formed alike.
    std::vector<WordForm> forms;
    for (std::string& base : IrregularBases(word)) {
        const auto same = std::find_if(regular.begin(), regular.end(),
                                       [&](const WordForm& f) { return f.base == base; });
        forms.push_back(same != regular.end() ? *same : WordForm{base, WordEnding::Irregular});
        if (same != regular.end())
            regular.erase(same);
    }
    forms.insert(forms.end(), regular.begin(), regular.end());
    return forms;
}

std::vector<WordForm> EnglishWordForms::RegularBaseForms(std::string_view word) {
    std::vector<WordForm> forms;
    Candidates add(word, forms);
    if (word.size() < 3)
        return forms;
    if (endsWith(word, "'s") || endsWith(word, "\x92s")) {
        add.Add(std::string(word.substr(0, word.size() - 2)), WordEnding::Possessive);
        return forms;
    }
    const std::string w(word);
    if (endsWith(w, "ies") && w.size() > 4) {
        add.Add(w.substr(0, w.size() - 3) + "y", WordEnding::S); // carries: carry
        add.Add(w.substr(0, w.size() - 1), WordEnding::S);       // ties: tie
    } else if (endsWith(w, "ves") && w.size() > 4) {
        add.Add(w.substr(0, w.size() - 1), WordEnding::S);        // gloves: glove
        add.Add(w.substr(0, w.size() - 3) + "f", WordEnding::S);  // wolves: wolf
        add.Add(w.substr(0, w.size() - 3) + "fe", WordEnding::S); // knives: knife
    } else if (endsWith(w, "es")) {
        const std::string stem = w.substr(0, w.size() - 2);
        if (endsWith(stem, "s") || endsWith(stem, "x") || endsWith(stem, "z") ||
            endsWith(stem, "ch") || endsWith(stem, "sh") || endsWith(stem, "o"))
            add.Add(stem, WordEnding::S);                  // boxes: box
        add.Add(w.substr(0, w.size() - 1), WordEnding::S); // hopes: hope
    } else if (endsWith(w, "s") && !endsWith(w, "ss") && !endsWith(w, "us") && !endsWith(w, "is")) {
        add.Add(w.substr(0, w.size() - 1), WordEnding::S); // walks: walk
    }
    add.Regular("ed", WordEnding::Ed);
    add.Regular("ing", WordEnding::Ing);
    add.Regular("est", WordEnding::Est);
    add.Regular("er", WordEnding::Er);
    return forms;
}

std::string EnglishWordForms::Inflect(std::string_view base, WordEnding ending,
                                      const IsWord& isWord) {
    const std::size_t blank = base.find(' ');
    const std::string first(base.substr(0, blank));
    if (first.empty())
        return {};
    const std::string rest(blank == std::string_view::npos ? std::string_view()
                                                           : base.substr(blank));
    for (const std::string& spelling : regularSpellings(first, ending))
        if (!isWord || ending == WordEnding::Possessive || isWord(spelling))
            return spelling + rest;
    return {};
}

} // namespace kerfa::spelling

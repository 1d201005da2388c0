#pragma once
// EnglishWordForms: how an English word is formed from its base form ("walked" from walk, "mice"
// from mouse), and the same ending put on another base ("stroll" becomes "strolled"). The
// thesaurus lists base forms; this lets it find the inflected words of running text and hand
// back a replacement in the word's own form.
//
// Irregular forms come from a table made at build time from WordNet's exception lists; regular
// endings (-s, -es, -ies, -ed, -ied, -ing, -er, -est, -'s) are undone and put on by the spelling
// rules, with a doubled final consonant or a dropped final e. Words are lower case, in
// Windows-1252.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kerfa::spelling {

enum class WordEnding {
    None,       // the base form itself
    S,          // plural or third person: walks, boxes, carries
    Ed,         // past: walked, hoped, stopped, carried
    Ing,        // walking, hoping, stopping, lying
    Er,         // comparative: taller, later, bigger, happier
    Est,        // superlative
    Possessive, // walker's
    Irregular,  // came, mice, better: a replacement is offered as listed
};

struct WordForm {
    std::string base;
    WordEnding ending = WordEnding::None;

    bool operator==(const WordForm&) const = default;
};

class EnglishWordForms {
public:
    // Whether a spelling is a word (the main dictionary's test).
    using IsWord = std::function<bool(std::string_view)>;

    // The base forms a word may come from, likeliest first: the irregular table's bases, then
    // each regular ending undone ("hoped": hope, then hop). Candidates only: the caller keeps
    // those that are words. Empty for a word with no ending to undo.
    static std::vector<WordForm> BaseForms(std::string_view word);
    // The base with a regular ending put on ("stroll", Ed: "strolled"): the first spelling the
    // rules allow that `isWord` knows, or without `isWord` the likeliest one. Of a phrase
    // ("stroll about") the first word takes the ending. Empty for an irregular or no ending, or
    // when `isWord` knows none of the spellings.
    static std::string Inflect(std::string_view base, WordEnding ending, const IsWord& isWord);
    // The bases the irregular table gives a form ("came": come), in table order.
    static std::vector<std::string> IrregularBases(std::string_view form);

private:
    static std::vector<WordForm> RegularBaseForms(std::string_view word);
};

} // namespace kerfa::spelling

#pragma once
// MythesThesaurus: a thesaurus in the plain-text form of Debian's mythes packages, read into
// Windows-1252, and the meanings it gives the compiler.
//
// The text starts with a line naming its encoding; then each head word comes as "word|n",
// followed by n meanings "(pos)|term|term|…", where a term may end in "(similar term)",
// "(related term)", "(generic term)" or "(antonym)" and is a synonym otherwise.
//
// Each meaning becomes up to two contexts of the head word, in the source's order:
// - the alternatives, kind = its part of speech (1 noun, 2 adj, 3 verb, 4 adv); the list of
//   that kind holds the synonyms, then the similar, related and generic terms, each once; the
//   head word of the context is the first synonym, or the head word itself when the meaning
//   has no synonym;
// - its antonyms, kind 0 ("antonym"), headed by the first antonym, in list 1.
// The dialog shows one list per context, the list of the context's kind, so the four parts of
// speech use lists 1 to 4 and antonyms stand apart from the words that can replace the head
// word.

#include "thesc/ThesaurusCompiler.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kerfa::thesc {

class MythesThesaurus {
public:
    // Kind 0 to 4, as the dialog shows them beside each context.
    static const std::array<std::string, 5> kKindNames;

    struct Meaning {
        std::uint8_t partOfSpeech = 1; // 1 noun, 2 adj, 3 verb, 4 adv
        std::vector<std::string> synonyms, similar, related, generic, antonyms;
    };
    struct Head {
        std::string word;
        std::vector<Meaning> meanings;
    };

    bool Read(const std::string& path);
    void Parse(std::string_view content);
    void AddTo(ThesaurusCompiler& compiler) const;

    const std::vector<Head>& Heads() const { return heads_; }
    std::size_t MeaningCount() const { return meaningCount_; }
    // Terms Windows-1252 cannot hold (or too long for a word), meanings of an unknown part of
    // speech, head words that could not be read, and lines out of place.
    std::size_t SkippedTerms() const { return skippedTerms_; }
    std::size_t SkippedMeanings() const { return skippedMeanings_; }
    std::size_t SkippedHeads() const { return skippedHeads_; }
    std::size_t StrayLines() const { return strayLines_; }

    // The alternatives of a meaning in list order: synonyms, similar, related, generic terms,
    // each word once.
    static std::vector<std::string> Alternatives(const Meaning& meaning);

private:
    bool Convert(std::string_view text, std::string& out) const;

    bool utf8_ = true;
    std::vector<Head> heads_;
    std::size_t meaningCount_ = 0;
    std::size_t skippedTerms_ = 0;
    std::size_t skippedMeanings_ = 0;
    std::size_t skippedHeads_ = 0;
    std::size_t strayLines_ = 0;
};

} // namespace kerfa::thesc

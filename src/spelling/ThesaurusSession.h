#pragma once
// ThesaurusSession: what the thesaurus dialog shows and remembers, without the dialog: the
// history of looked-up words (most recent first), the meanings of the current word, the words
// of a meaning, and which word the "Replace With:" edit takes when a word is chosen.

#include "spelling/TThesaurusBase.h"

#include <string>
#include <string_view>
#include <vector>

namespace kerfa::spelling {

class ThesaurusSession {
public:
    explicit ThesaurusSession(const TThesaurusBase& thesaurus) : thesaurus_(thesaurus) {}

    // Looks a word up and puts it at the top of the history (a word looked up again moves
    // there). An empty word is ignored.
    void LookUp(std::string_view word);
    // Drops the newest history entry and looks up the next one; false (and nothing changes)
    // with fewer than two entries.
    bool Previous();
    bool CanGoBack() const { return history_.size() >= 2; }

    const std::vector<std::string>& History() const { return history_; }
    const std::string& Word() const { return word_; }
    // The base form whose meanings follow the word's own (no ending: none do).
    const WordForm& Form() const { return found_.form; }
    // Whether meaning `index` belongs to the base form rather than to the word itself.
    bool ThroughBaseForm(std::size_t index) const {
        return index >= found_.own && index < meanings_.size();
    }
    bool Found() const { return !meanings_.empty(); }
    const std::vector<TThesaurusEntry>& Meanings() const { return meanings_; }
    // The words meaning `index` shows; empty for an index out of range.
    std::vector<std::string> WordsOf(std::size_t index) const;
    // Whether a word is the looked-up word, or the base form it was found through, letter case
    // aside.
    bool IsLookedUpWord(std::string_view word) const;
    // What the edit takes when a word of meaning `index` is selected: the word, put in the
    // looked-up word's form when the meaning is its base form's ("paced" for "walked"), or
    // nothing for the looked-up word itself.
    std::string ReplacementFor(std::string_view selected, std::size_t index) const;

private:
    const TThesaurusBase& thesaurus_;
    std::vector<std::string> history_;
    std::string word_;
    TThesaurusBase::FoundMeanings found_;
    std::vector<TThesaurusEntry> meanings_;
};

} // namespace kerfa::spelling

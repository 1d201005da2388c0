#include "spelling/ThesaurusSession.h"

#include "spelling/CodePageCase.h"

#include <algorithm>

namespace kerfa::spelling {

void ThesaurusSession::LookUp(std::string_view word) {
    if (word.empty())
        return;
    word_ = word;
    history_.erase(std::remove(history_.begin(), history_.end(), word_), history_.end());
    history_.insert(history_.begin(), word_);
    thesaurus_.LookupForms(word_, meanings_, found_);
}

bool ThesaurusSession::Previous() {
    if (!CanGoBack())
        return false;
    history_.erase(history_.begin());
    LookUp(std::string(history_.front()));
    return true;
}

std::vector<std::string> ThesaurusSession::WordsOf(std::size_t index) const {
    if (index >= meanings_.size())
        return {};
    return thesaurus_.ShownWords(meanings_[index]);
}

bool ThesaurusSession::IsLookedUpWord(std::string_view word) const {
    return SameLetters(word, word_) ||
           (Form().ending != WordEnding::None && SameLetters(word, Form().base));
}

std::string ThesaurusSession::ReplacementFor(std::string_view selected, std::size_t index) const {
    if (IsLookedUpWord(selected))
        return {};
    return ThroughBaseForm(index) ? thesaurus_.Reinflect(selected, Form()) : std::string(selected);
}

} // namespace kerfa::spelling

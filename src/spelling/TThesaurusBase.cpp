#include "spelling/TThesaurusBase.h"

#include "spelling/CodePageCase.h"
#include "spelling/TMainParsingEngine.h"

#include <algorithm>
#include <iterator>

namespace kerfa::spelling {

bool TThesaurusBase::LookupControl(TControlParser& control) {
    TMainParsingEngine parser;
    parser.Start(control, TMainParsingEngine::smFromCursor);
    const std::string word = parser.NextWord();
    if (word.empty())
        return false;
    control.SelectWord(static_cast<int>(word.size()));
    // An adapter that cannot tell where the word is on screen gives an empty rectangle.
    const auto rect = control.SelectionRect();
    const bool onScreen = rect.right > rect.left || rect.bottom > rect.top;
    const std::string replacement =
        LookupWordNear(word, onScreen ? std::optional(rect) : std::nullopt);
    if (!replacement.empty()) {
        if (OnBeforeChange)
            OnBeforeChange();
        control.ReplaceSelection(replacement);
    }
    return true;
}

std::string TThesaurusBase::LookupWord(std::string_view word) {
    return LookupWordNear(word, std::nullopt);
}

std::string TThesaurusBase::LookupWordNear(std::string_view word,
                                           const std::optional<TControlParser::ScreenRect>& near) {
    if (busy_)
        return {};
    // Restores the state however the dialog ends, so that the next look-up is not refused and
    // a file loaded only for this look-up is released.
    struct Guard {
        TThesaurusBase& self;
        bool wasLoaded;
        ~Guard() {
            if (!wasLoaded)
                self.file_.SetLoaded(false);
            self.busy_ = false;
        }
    } guard{*this, file_.IsLoaded()};
    busy_ = true;

    ShowBusy(true);
    const bool loaded = file_.IsLoaded() || file_.SetLoaded(true);
    ShowBusy(false);
    return loaded ? ShowDialog(word, near) : std::string();
}

bool TThesaurusBase::Lookup(std::string_view word, std::vector<TThesaurusEntry>& meanings) const {
    const bool found = file_.Lookup(word, meanings);
    if (sortedLists_)
        std::stable_sort(meanings.begin(), meanings.end(),
                         [](const TThesaurusEntry& a, const TThesaurusEntry& b) {
                             return a.headWord < b.headWord;
                         });
    return found;
}

namespace {

// A lower-case word in the letter case of another: all capitals, or an initial capital.
std::string caseLike(std::string_view word, std::string_view model) {
    if (model.empty() || word.empty() || LowerCase(model) == model)
        return std::string(word);
    if (model.size() > 1 && UpperCase(model) == model)
        return UpperCase(word);
    std::string out(word);
    out[0] = UpperCase(out.substr(0, 1))[0];
    return out;
}

} // namespace

bool TThesaurusBase::LookupForms(std::string_view word, std::vector<TThesaurusEntry>& meanings,
                                 FoundMeanings& found) const {
    found = {};
    Lookup(word, meanings);
    found.own = meanings.size();
    std::vector<TThesaurusEntry> more;
    for (const WordForm& candidate : EnglishWordForms::BaseForms(LowerCase(word))) {
        if (IsWord && !IsWord(candidate.base))
            continue;
        if (Lookup(caseLike(candidate.base, word), more)) {
            found.form = candidate;
            std::move(more.begin(), more.end(), std::back_inserter(meanings));
            break;
        }
    }
    return !meanings.empty();
}

std::string TThesaurusBase::Reinflect(std::string_view chosen, const WordForm& form) const {
    if (form.ending == WordEnding::None || form.ending == WordEnding::Irregular)
        return std::string(chosen);
    const std::string inflected = EnglishWordForms::Inflect(LowerCase(chosen), form.ending, IsWord);
    return inflected.empty() ? std::string(chosen) : caseLike(inflected, chosen);
}

std::vector<std::string> TThesaurusBase::ShownWords(const TThesaurusEntry& meaning) const {
    std::vector<std::string> words = meaning.lists[meaning.ShownList()];
    if (sortedLists_)
        std::sort(words.begin(), words.end());
    return words;
}

} // namespace kerfa::spelling

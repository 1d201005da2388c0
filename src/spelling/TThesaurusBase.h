#pragma once
// TThesaurusBase: the thesaurus component without its dialog. It finds the word at a control's
// cursor through the parsing engine, looks it up in its thesaurus file, lets a descendant show
// the meanings in a dialog, and puts the chosen word in place of the looked-up one.
//
// The file is loaded only for the time of a look-up unless the caller keeps it loaded. A
// missing or unreadable file is not an error: nothing is shown.

#include "spelling/EnglishWordForms.h"
#include "spelling/TControlParser.h"
#include "spelling/TThesaurusEntry.h"
#include "spelling/TThesaurusFile.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kerfa::spelling {

// The languages the dialog can speak, in the order of the program's language names.
enum class TThesaurusLanguageType {
    ltEnglish,
    ltSwedish,
    ltGerman,
    ltRussian,
    ltCzech,
    ltDanish,
    ltNorwegianBok,
    ltPolish,
    ltItalian,
    ltEstonian,
    ltFrench,
    ltSpanish,
    ltBrPort,
};

enum class TThesaurusDoubleClickAction { dcaNone, dcaReplace, dcaLookup };

// The dialog's commands, as bits of CommandsEnabled and CommandsVisible.
enum TThesaurusDialogCommand : unsigned {
    tdcLookedUp = 1,
    tdcPrevious = 2,
    tdcLookup = 4,
    tdcReplace = 8,
    tdcClose = 16,
    tdcAll = 31,
};

class TThesaurusBase {
public:
    virtual ~TThesaurusBase() = default;

    // Looks up the word at the control's cursor (or, on white space, the next word) and
    // replaces it with the word chosen in the dialog. False when there is no word.
    bool LookupControl(TControlParser& control);
    // Shows the dialog for a word; the replacement the user chose, or empty.
    std::string LookupWord(std::string_view word);

    // The meanings of a word, sorted by head word when SortedLists is on.
    bool Lookup(std::string_view word, std::vector<TThesaurusEntry>& meanings) const;
    // Where the meanings of a word of running text came from: the first `own` are the word's
    // own, found as written (or in lower case); those after them belong to the base form it may
    // be an inflection of, which `form` names with its ending (no ending: none were added).
    struct FoundMeanings {
        std::size_t own = 0;
        WordForm form;
    };
    // The meanings of a word of running text: its own, then those of the first of its base forms
    // ("walked": walk, "mice": mouse, "Walked": Walk, "running": run) that IsWord knows and the
    // thesaurus holds.
    bool LookupForms(std::string_view word, std::vector<TThesaurusEntry>& meanings,
                     FoundMeanings& found) const;
    // A word chosen among the meanings of a word found through `form`, in that word's form:
    // "stroll" for "walked" gives "strolled" and "Stroll" "Strolled"; as chosen when the ending is
    // irregular or the rule gives no word that IsWord knows.
    std::string Reinflect(std::string_view chosen, const WordForm& form) const;
    // The words a meaning shows, sorted when SortedLists is on.
    std::vector<std::string> ShownWords(const TThesaurusEntry& meaning) const;

    void SetFilename(const std::string& fileName) { file_.SetFileName(fileName); }
    const std::string& Filename() const { return file_.FileName(); }
    TThesaurusFile& File() { return file_; }
    const TThesaurusFile& File() const { return file_; }

    bool SortedLists() const { return sortedLists_; }
    void SetSortedLists(bool sorted) { sortedLists_ = sorted; }
    TThesaurusDoubleClickAction DoubleClickAction() const { return doubleClickAction_; }
    void SetDoubleClickAction(TThesaurusDoubleClickAction action) { doubleClickAction_ = action; }
    TThesaurusLanguageType UILanguage() const { return language_; }
    void SetUILanguage(TThesaurusLanguageType language) { language_ = language; }
    unsigned CommandsEnabled() const { return commandsEnabled_; }
    void SetCommandsEnabled(unsigned commands) { commandsEnabled_ = commands; }
    unsigned CommandsVisible() const { return commandsVisible_; }
    void SetCommandsVisible(unsigned commands) { commandsVisible_ = commands; }

    // Called before the control's text is changed.
    std::function<void()> OnBeforeChange;
    // Whether a spelling is a word of the main dictionary, for the base forms of inflected
    // words and the forms of replacements; without it every spelling counts as a word.
    EnglishWordForms::IsWord IsWord;

protected:
    // Shows the dialog for a word, placed clear of `near` (screen coordinates) when given; the
    // replacement, or empty when the user closed it.
    virtual std::string ShowDialog(std::string_view word,
                                   const std::optional<TControlParser::ScreenRect>& near) = 0;
    // Shows or ends the busy cursor while the file loads and the word is looked up.
    virtual void ShowBusy(bool busy) = 0;

private:
    std::string LookupWordNear(std::string_view word,
                               const std::optional<TControlParser::ScreenRect>& near);

    TThesaurusFile file_;
    bool sortedLists_ = false;
    TThesaurusDoubleClickAction doubleClickAction_ = TThesaurusDoubleClickAction::dcaLookup;
    TThesaurusLanguageType language_ = TThesaurusLanguageType::ltEnglish;
    unsigned commandsEnabled_ = tdcAll;
    unsigned commandsVisible_ = tdcAll;
    bool busy_ = false;
};

} // namespace kerfa::spelling

#include "spelling/TSpellLanguageStrings.h"

#include <array>
#include <span>

namespace kerfa::spelling {

namespace {

struct Row {
    TSpellLanguageString id;
    std::string_view text;
};

constexpr Row kEnglish[] = {
    {lsLiveSpelling, "Check spelling as you type"},
    {lsLiveCorrect, "Correct spelling errors as you type"},
    {lsIgnoreUpcase, "Ignore words in &UPPERCASE"},
    {lsIgnoreNumbers, "Ignore words containing numbers"},
    {lsHTML, "Ignore markup languages (&HTML, XML, etc)"},
    {lsInternet, "Ignore Internet addresses"},
    {lsQuoted, "Ignore quoted lines"},
    {lsAbbreviations, "Ignore abbreviations"},
    {lsPrimaryOnly, "Suggest from main dictionaries only"},
    {lsRepeated, "Prompt on repeated word"},
    {lsDUalCaps, "Automatically correct DUal capitals"},
    {lsConfirmation, "Confirmation:"},
    {lsRemoveCustomDict, "Delete this custom dictionary?"},
    {lsIgnoreAllChangeAll, "(Ignore All / Change All)"},
    {lsSpelling, "Spelling"},
    {lsSpellingOptions, "Spelling Options"},
    {lsDictionaries, "Dictionaries"},
    {lsIgnoreAllChangeAllTitle, "Words added with Ignore All / Change All"},
    {lsNewCustomTitle, "New Custom Dictionary"},
    {lsDlgNotFound, "Not Found:"},
    {lsDlgRepeatedWord, "Repeated Word:"},
    {lsDlgReplaceWith, "&Replace With:"},
    {lsDlgSuggestions, "&Suggestions:"},
    {lsDlgUndo, "&Undo"},
    {lsDlgOptions, "&Options..."},
    {lsDlgIgnoreAll, "&Ignore All"},
    {lsDlgIgnore, "I&gnore"},
    {lsDlgChangeAll, "&Change All"},
    {lsDlgChange, "C&hange"},
    {lsDlgAdd, "&Add"},
    {lsDlgAutoCorrect, "Au&to-Correct"},
    {lsDlgHelp, "&Help"},
    {lsDlgCancel, "Cancel"},
    {lsDlgResetDefaults, "Reset Defaults"},
    {lsDlgOptionsLabel, " O&ptions: "},
    {lsDlgDictionariesLabel, " D&ictionaries: "},
    {lsDlgName, "Name"},
    {lsDlgFilename, "Filename"},
    {lsDlgCustomDictionary, "&Custom Dictionary:"},
    {lsDlgDictionaries, "&Dictionaries ..."},
    {lsDlgBrowseForMain, "Locate Dictionaries..."},
    {lsDlgBrowseForMainTitle, "Choose Folder Containing Dictionaries"},
    {lsDlgCustomDictionaries, " Custom Dictionaries: "},
    {lsDlgEdit, "&Edit"},
    {lsDlgDelete, "&Delete"},
    {lsDlgNew, "&New"},
    {lsDlgOK, "&OK"},
    {lsDlgNewCustom, "&Enter the new custom dictionary name:"},
    {lsDlgAddedWords, "Add&ed Words"},
    {lsDlgAddedWordsExplanation,
     "These words will be considered correct during a spell check operation."},
    {lsDlgIgnoreThisWord, "&Ignore this word:"},
    {lsDlgAutoCorrectPairs, "A&uto-Correct Pairs"},
    {lsDlgAutoCorrectPairsExplanation,
     "These words will automatically be corrected when encountered during a spelling check."},
    {lsDlgReplace, "&Replace:"},
    {lsDlgWith, "&With:"},
    {lsDlgExcludedWords, "&Excluded Words"},
    {lsDlgExcludedWordsExplanation,
     "These words will always be considered incorrect during a spell check operation."},
    {lsDlgExcludeThisWord, "E&xclude this word:"},
    {lsEndMessage, "The spelling check is complete."},
    {lsWordsChecked, "Words checked:"},
    {lsEndSelectionMessage,
     "The selection has been checked.  Would you like to check the remainder of the document?"},
    {lsMnNoSuggestions, "(no suggestions)"},
    {lsMnIgnore, "I&gnore"},
    {lsMnIgnoreAll, "&Ignore All"},
    {lsMnAdd, "&Add"},
    {lsMnChangeAll, "&Change All"},
    {lsMnAutoCorrect, "A&uto Correct"},
    {lsMnSpelling, "&Spelling ..."},
};
static_assert(std::size(kEnglish) == lsStringCount, "every text has its English row");

struct Language {
    TSpellUILanguage language;
    std::span<const Row> rows;
};

// A translation is one more table of rows and one more line here.
constexpr Language kLanguages[] = {
    {ltEnglish, kEnglish},
};

std::string_view find(std::span<const Row> rows, TSpellLanguageString id) {
    for (const Row& row : rows)
        if (row.id == id)
            return row.text;
    return {};
}

} // namespace

std::string_view TSpellLanguageStrings::Text(TSpellUILanguage language, TSpellLanguageString id) {
    for (const Language& l : kLanguages) {
        if (l.language != language)
            continue;
        if (const std::string_view text = find(l.rows, id); !text.empty())
            return text;
    }
    return find(kEnglish, id);
}

} // namespace kerfa::spelling

#pragma once
// TSpellLanguageStrings: the texts of the spelling checker's own dialogs and messages, by
// interface language. Each language is one table of (id, text) rows, checked when the program
// is built to hold every text once. Within a dialog, no two accelerators ("&") of a
// translation share a letter.

#include <string_view>

namespace kerfa::spelling {

enum TSpellUILanguage {
    ltEnglish,
    ltSwedish,
    ltBrPort,
    ltAfrikaans,
    ltGerman,
    ltSpanish,
    ltRussian,
    ltCzech,
    ltDutch,
    ltDanish,
    ltPolish,
    ltNorwegianBok,
    ltFrench,
    ltItalian,
    ltEstonian,
};

enum TSpellLanguageString {
    lsLiveSpelling,
    lsLiveCorrect,
    lsIgnoreUpcase,
    lsIgnoreNumbers,
    lsHTML,
    lsInternet,
    lsQuoted,
    lsAbbreviations,
    lsPrimaryOnly,
    lsRepeated,
    lsDUalCaps,
    lsConfirmation,
    lsRemoveCustomDict,
    lsIgnoreAllChangeAll,
    lsSpelling,
    lsSpellingOptions,
    lsDictionaries,
    lsIgnoreAllChangeAllTitle,
    lsNewCustomTitle,
    lsDlgNotFound,
    lsDlgRepeatedWord,
    lsDlgReplaceWith,
    lsDlgSuggestions,
    lsDlgUndo,
    lsDlgOptions,
    lsDlgIgnoreAll,
    lsDlgIgnore,
    lsDlgChangeAll,
    lsDlgChange,
    lsDlgAdd,
    lsDlgAutoCorrect,
    lsDlgHelp,
    lsDlgCancel,
    lsDlgResetDefaults,
    lsDlgOptionsLabel,
    lsDlgDictionariesLabel,
    lsDlgName,
    lsDlgFilename,
    lsDlgCustomDictionary,
    lsDlgDictionaries,
    lsDlgBrowseForMain,
    lsDlgBrowseForMainTitle,
    lsDlgCustomDictionaries,
    lsDlgEdit,
    lsDlgDelete,
    lsDlgNew,
    lsDlgOK,
    lsDlgNewCustom,
    lsDlgAddedWords,
    lsDlgAddedWordsExplanation,
    lsDlgIgnoreThisWord,
    lsDlgAutoCorrectPairs,
    lsDlgAutoCorrectPairsExplanation,
    lsDlgReplace,
    lsDlgWith,
    lsDlgExcludedWords,
    lsDlgExcludedWordsExplanation,
    lsDlgExcludeThisWord,
    lsEndMessage,
    lsWordsChecked,
    lsEndSelectionMessage,
    lsMnNoSuggestions,
    lsMnIgnore,
    lsMnIgnoreAll,
    lsMnAdd,
    lsMnChangeAll,
    lsMnAutoCorrect,
    lsMnSpelling,
    lsStringCount
};

class TSpellLanguageStrings {
public:
    // The text (UTF-8) of `id` in `language`; a value outside the languages reads as English.
    static std::string_view Text(TSpellUILanguage language, TSpellLanguageString id);
};

} // namespace kerfa::spelling

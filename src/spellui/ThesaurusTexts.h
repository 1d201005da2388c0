#pragma once
// The thesaurus dialog's texts, by language: one row of the table for each language, checked
// when the program is built to hold every text.

#include "spelling/TThesaurusBase.h"

#include <QString>

enum class TThesaurusLanguageString {
    lsThesaurus, // "%name%" stands for the thesaurus's name
    lsDlgLookedUp,
    lsDlgContexts,
    lsDlgReplaceWith,
    lsDlgPrevious,
    lsDlgLookup,
    lsDlgReplace,
    lsDlgClose,
    lsDlgNotFound,
    lsDlgBaseForm, // before the base form an inflected word was found through
};

namespace ThesaurusTexts {

QString text(kerfa::spelling::TThesaurusLanguageType language, TThesaurusLanguageString id);

// The dialog language for the name of the program's interface language ("english",
// "german", "brazilian portuguese", …).
kerfa::spelling::TThesaurusLanguageType languageFor(const QString& languageName);

} // namespace ThesaurusTexts

#pragma once
// The spelling dialogs' texts as Qt shows them: each comes from the checker (its table in the
// checker's interface language, or the program's replacement), and a few are reshaped for the
// place they take: a group box's title without the blanks and colon around it, a column
// header without its accelerator.

#include "spelling/TSpellLanguageStrings.h"

#include <QString>

namespace kerfa::spelling {
class TSpellCheckerBase;
}

namespace SpellTexts {

QString text(const kerfa::spelling::TSpellCheckerBase& checker,
             kerfa::spelling::TSpellLanguageString id);
// " O&ptions: " → "O&ptions".
QString groupTitle(const QString& text);
// "&Replace:" → "Replace"; "&&" stays a single "&".
QString plain(const QString& text);

// The dialog language for the interface's language: the language file's name ("German.ini",
// "Portuguese (Brazil).ini") or the language name ("german").
kerfa::spelling::TSpellUILanguage languageFor(const QString& languageName);

} // namespace SpellTexts

#pragma once

#include "spelling/TSpellChecker.h"
#include "spellui/SpellCheckerUI.h"

#include <QObject>
#include <QPointer>

#include <memory>

class LiveSpeller;
class QPlainTextEdit;
class QWidget;
class TPlainTextEditParser;

// The spelling checker an editor window owns (dlgSpeller): set up with the program's values,
// the program's one configuration (ProgramSpellConfig, shared with every other editor window's
// checker), dictionaries from "Spelling/" kept loaded between checks; its check, undo list and
// Ignore All words are its own. The editor wires four things to it: Spell Check (F7) calls check();
// Spelling Options calls showOptionsDialog(); closing the window calls endCheck(); losing the focus
// calls windowDeactivated(). Its dialogs speak the language of the language file in force
// (Language), or the one given to setLanguage() since. While the open book names its language
// (BookLanguage), that language's main dictionary stands in for the configured ones.
class EditorSpeller : public QObject {
    Q_OBJECT
public:
    explicit EditorSpeller(QWidget* window);
    ~EditorSpeller() override;

    // Checks the memo in the smart mode (from the cursor round to it, or the selection and
    // then, if the user wishes, the rest); returns when the check has ended.
    void check(QPlainTextEdit* memo);
    // The spelling options dialog (modal); during a check the word shown is shown again with
    // the new settings.
    void showOptionsDialog();
    // Ends a running check at once, as cancelled.
    void endCheck();
    // The language of the spelling dialogs, from the interface's language file name
    // ("German.ini") or language name ("german"); any other language is English.
    void setLanguage(const QString& languageName);
    // The window lost the focus: a running check ends unless the focus went to its dialog.
    void windowDeactivated();
    // Once the window is shown: this checker underlines the memo's unknown words from now on,
    // while the option is on.
    void startLiveSpelling(QPlainTextEdit* memo);
    LiveSpeller* live() const { return m_live.get(); }

    kerfa::spelling::TSpellChecker& checker() { return m_checker; }
    SpellCheckerUI& ui() { return m_ui; }

private:
    void followBookLanguage();
    void dialogDeactivated();
    void wordAdded(const QString& word);
    // Writes the words added to the active custom dictionary; a failure is told once a check.
    bool saveAdded();

    QPointer<QWidget> m_window;
    kerfa::spelling::TSpellChecker m_checker;
    SpellCheckerUI m_ui;
    std::unique_ptr<TPlainTextEditParser> m_text;
    std::unique_ptr<LiveSpeller> m_live;
    bool m_toldNotSaved = false;
};

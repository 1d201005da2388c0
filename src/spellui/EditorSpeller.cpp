#include "spellui/EditorSpeller.h"

#include "language/Language.h"
#include "spellui/BookLanguage.h"
#include "spellui/LiveSpeller.h"
#include "spellui/ProgramSpellConfig.h"
#include "spellui/SpellTexts.h"
#include "spellui/TPlainTextEditParser.h"
#include "spellui/TSpellDialog.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QTimer>

#include <utility>

using namespace kerfa::spelling;

EditorSpeller::EditorSpeller(QWidget* window) : m_window(window), m_ui(window) {
    ProgramSpellConfig::setUp(m_checker);
    m_checker.ShareConfig(ProgramSpellConfig::acquire());
    m_checker.SetUI(&m_ui);
    connect(&m_ui, &SpellCheckerUI::dialogDeactivated, this, &EditorSpeller::dialogDeactivated);
    connect(&m_ui, &SpellCheckerUI::wordAdded, this, &EditorSpeller::wordAdded);
    // The dialogs speak the language of the interface's language file, and change with it; a
    // language file that could not be read leaves them as they were.
    const Language& language = Language::instance();
    setLanguage(language.fileName());
    connect(&language, &Language::applied, this,
            [this] { setLanguage(Language::instance().fileName()); });
    // The book's language chooses the main dictionary; a change shows in the underlines at once.
    followBookLanguage();
    connect(&BookLanguage::instance(), &BookLanguage::changed, this, [this] {
        followBookLanguage();
        if (m_live)
            m_live->recheck();
    });
}

void EditorSpeller::followBookLanguage() {
    const std::string dictionary = BookLanguage::instance().mainDictionary();
    m_checker.SetMainOverride(dictionary.empty() ? std::vector<std::string>()
                                                 : std::vector<std::string>{dictionary});
}

EditorSpeller::~EditorSpeller() {
    m_live.reset();
    m_checker.EndCheck(true);
    m_checker.SetUI(nullptr);
}

void EditorSpeller::check(QPlainTextEdit* memo) {
    if (!memo || m_checker.IsChecking())
        return;
    // Kept beyond the call: a check that is not synchronous goes on after it returns.
    m_text = std::make_unique<TPlainTextEditParser>(memo);
    m_toldNotSaved = false;
    m_checker.CheckControl(*m_text, TSpellCheckerBase::cmSmart);
    if (m_checker.IsChecking())
        return;
    // Where the dialog stood is written now, while a failure can still be told.
    m_checker.SaveConfig();
    // Words added during the check are written now, so that every editor's underlines lose
    // them; words ignored hold in this window.
    if (saveAdded())
        LiveSpeller::recheckEverywhere(true);
    else if (m_live)
        m_live->recheck();
}

bool EditorSpeller::saveAdded() {
    TCustomDictionary* active = m_checker.ActiveCustomDictionary();
    if (!active || !active->IsModified())
        return false;
    if (active->Save())
        return true;
    if (!std::exchange(m_toldNotSaved, true) && m_checker.OnCustomSaveFailed)
        m_checker.OnCustomSaveFailed(active->FileName());
    return false;
}

void EditorSpeller::showOptionsDialog() {
    m_checker.ShowOptionsDialog();
    if (m_checker.IsChecking())
        return;
    // The options and the dictionaries (words edited in them too) hold in every window.
    m_checker.UnloadDictionaries();
    LiveSpeller::recheckEverywhere(true);
}

void EditorSpeller::startLiveSpelling(QPlainTextEdit* memo) {
    if (!m_live && memo)
        m_live = std::make_unique<LiveSpeller>(memo, m_checker);
}

void EditorSpeller::setLanguage(const QString& languageName) {
    m_checker.UILanguage = SpellTexts::languageFor(languageName);
}

void EditorSpeller::endCheck() {
    m_checker.EndCheck(true);
}

void EditorSpeller::windowDeactivated() {
    // Decided once the activation has settled: the focus may be on its way to the dialog.
    QTimer::singleShot(0, this, [this] {
        if (m_checker.IsChecking() && !QApplication::activeModalWidget() &&
            QApplication::activeWindow() != m_ui.dialog() &&
            QApplication::activeWindow() != m_window)
            m_checker.EndCheck(true);
    });
}

void EditorSpeller::wordAdded(const QString& word) {
    // Written at once, as the popup's Add writes it, so that every other window's underlines
    // lose the word now rather than when this check ends. This window's checker is busy with
    // the check until then: its underlines of the word go by name.
    if (!saveAdded())
        return;
    LiveSpeller::recheckEverywhere(true);
    if (m_live)
        m_live->forgetWord(word);
}

void EditorSpeller::dialogDeactivated() {
    windowDeactivated();
}

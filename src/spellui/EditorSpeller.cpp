#include "spellui/EditorSpeller.h"

#include "spellui/ProgramSpellConfig.h"
#include "spellui/SpellTexts.h"
#include "spellui/TPlainTextEditParser.h"
#include "spellui/TSpellDialog.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QTimer>

using namespace kerfa::spelling;

EditorSpeller::EditorSpeller(QWidget* window) : m_window(window), m_ui(window) {
    ProgramSpellConfig::setUp(m_checker);
    m_checker.ShareConfig(ProgramSpellConfig::acquire());
    m_checker.SetUI(&m_ui);
    connect(&m_ui, &SpellCheckerUI::dialogDeactivated, this, &EditorSpeller::dialogDeactivated);
}

EditorSpeller::~EditorSpeller() {
    m_checker.EndCheck(true);
    m_checker.SetUI(nullptr);
}

void EditorSpeller::check(QPlainTextEdit* memo) {
    if (!memo || m_checker.IsChecking())
        return;
    // Kept beyond the call: a check that is not synchronous goes on after it returns.
    m_text = std::make_unique<TPlainTextEditParser>(memo);
    m_checker.CheckControl(*m_text, TSpellCheckerBase::cmSmart);
    // Where the dialog stood is written now, while a failure can still be told.
    if (!m_checker.IsChecking())
        m_checker.SaveConfig();
}

void EditorSpeller::showOptionsDialog() {
    m_checker.ShowOptionsDialog();
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

void EditorSpeller::dialogDeactivated() {
    windowDeactivated();
}

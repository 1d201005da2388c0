#include "spellui/TSpellDialog.h"

#include "spellui/DialogButton.h"

#include "common/Cp1252.h"
#include "spelling/TSpellChecker.h"
#include "spellui/CodePageText.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using namespace kerfa::spelling;

namespace {

QString text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

// A word of the text (in the dictionary's code page) for display.
QString fromWord(const std::string& word) {
    return CodePageText::fromBytes(word);
}

} // namespace

TSpellDialog::TSpellDialog(TSpellChecker& checker, QWidget* parent)
    : QDialog(parent), m_checker(checker) {
    setObjectName(QStringLiteral("TSpellDialog"));
    setModal(false);

    m_lblNotFound = new QLabel(this);
    m_edtNotFound = new QLineEdit(this);
    m_edtNotFound->setObjectName(QStringLiteral("edtNotFound"));
    m_edtNotFound->setReadOnly(true);
    m_lblNotFound->setBuddy(m_edtNotFound);
    m_lblReplaceWith = new QLabel(this);
    m_edtReplaceWith = new QLineEdit(this);
    m_edtReplaceWith->setObjectName(QStringLiteral("edtReplaceWith"));
    m_lblReplaceWith->setBuddy(m_edtReplaceWith);
    m_lblSuggestions = new QLabel(this);
    m_lstSuggestions = new QListWidget(this);
    m_lstSuggestions->setObjectName(QStringLiteral("lstSuggestions"));
    m_lblSuggestions->setBuddy(m_lstSuggestions);

    m_btnUndo = dialogButton(this, "btnUndo");
    m_btnOptions = dialogButton(this, "btnOptions");
    m_btnIgnoreAll = dialogButton(this, "btnIgnoreAll");
    m_btnIgnore = dialogButton(this, "btnIgnore");
    m_btnChangeAll = dialogButton(this, "btnChangeAll");
    m_btnChange = dialogButton(this, "btnChange");
    m_btnAdd = dialogButton(this, "btnAdd");
    m_btnAutoCorrect = dialogButton(this, "btnAutoCorrect");
    m_btnHelp = dialogButton(this, "btnHelp");
    m_btnCancel = dialogButton(this, "btnCancel");
    m_btnChange->setDefault(true);

    // The word and its replacement above, the suggestions below; the buttons on the right in
    // pairs, as the actions go together.
    auto* grid = new QGridLayout(this);
    grid->addWidget(m_lblNotFound, 0, 0);
    grid->addWidget(m_edtNotFound, 0, 1);
    grid->addWidget(m_btnUndo, 0, 2);
    grid->addWidget(m_btnOptions, 0, 3);
    grid->addWidget(m_lblReplaceWith, 1, 0);
    grid->addWidget(m_edtReplaceWith, 1, 1);
    grid->addWidget(m_btnIgnoreAll, 1, 2);
    grid->addWidget(m_btnIgnore, 1, 3);
    grid->addWidget(m_lblSuggestions, 2, 0, Qt::AlignTop);
    grid->addWidget(m_lstSuggestions, 2, 1, 4, 1);
    grid->addWidget(m_btnChangeAll, 2, 2);
    grid->addWidget(m_btnChange, 2, 3);
    grid->addWidget(m_btnAdd, 3, 2);
    grid->addWidget(m_btnAutoCorrect, 3, 3);
    grid->addWidget(m_btnHelp, 4, 2);
    grid->addWidget(m_btnCancel, 4, 3);
    grid->setRowStretch(5, 1);

    connect(m_btnUndo, &QPushButton::clicked, this, [this] { m_checker.Undo(); });
    connect(m_btnOptions, &QPushButton::clicked, this, [this] { m_checker.ShowOptionsDialog(); });
    connect(m_btnIgnoreAll, &QPushButton::clicked, this, [this] { m_checker.IgnoreAll(); });
    connect(m_btnIgnore, &QPushButton::clicked, this, [this] { m_checker.Ignore(); });
    connect(m_btnChangeAll, &QPushButton::clicked, this,
            [this] { m_checker.ChangeAll(replacement()); });
    connect(m_btnChange, &QPushButton::clicked, this, [this] { m_checker.Change(replacement()); });
    connect(m_btnAdd, &QPushButton::clicked, this, [this] {
        const std::string word = m_checker.CurrentWord();
        m_checker.Add();
        Q_EMIT wordAdded(CodePageText::fromBytes(word));
    });
    connect(m_btnAutoCorrect, &QPushButton::clicked, this,
            [this] { m_checker.AutoCorrect(replacement()); });
    connect(m_btnCancel, &QPushButton::clicked, this, &TSpellDialog::reject);
    connect(m_lstSuggestions, &QListWidget::itemClicked, this, &TSpellDialog::suggestionChosen);
    connect(m_lstSuggestions, &QListWidget::currentItemChanged, this,
            &TSpellDialog::suggestionChosen);
    connect(m_edtReplaceWith, &QLineEdit::textChanged, this, &TSpellDialog::updateChangeCommands);
    connect(m_lstSuggestions, &QListWidget::itemDoubleClicked, this,
            &TSpellDialog::suggestionDoubleClicked);
    setCaptions();
}

void TSpellDialog::setCaptions() {
    setWindowTitle(text(m_checker.GetString(lsSpelling)));
    m_lblReplaceWith->setText(text(m_checker.GetString(lsDlgReplaceWith)));
    m_lblSuggestions->setText(text(m_checker.GetString(lsDlgSuggestions)));
    m_btnUndo->setText(text(m_checker.GetString(lsDlgUndo)));
    m_btnOptions->setText(text(m_checker.GetString(lsDlgOptions)));
    m_btnIgnoreAll->setText(text(m_checker.GetString(lsDlgIgnoreAll)));
    m_btnIgnore->setText(text(m_checker.GetString(lsDlgIgnore)));
    m_btnChangeAll->setText(text(m_checker.GetString(lsDlgChangeAll)));
    m_btnChange->setText(text(m_checker.GetString(lsDlgChange)));
    m_btnAdd->setText(text(m_checker.GetString(lsDlgAdd)));
    m_btnAutoCorrect->setText(text(m_checker.GetString(lsDlgAutoCorrect)));
    m_btnHelp->setText(text(m_checker.GetString(lsDlgHelp)));
    m_btnCancel->setText(text(m_checker.GetString(lsDlgCancel)));
}

void TSpellDialog::setCommand(QPushButton* b, int command, bool enabledHere) {
    const auto c = static_cast<TSpellDialogCommand>(command);
    b->setVisible(m_checker.CommandVisible(c));
    b->setEnabled(enabledHere && m_checker.CommandEnabled(c));
}

void TSpellDialog::showWord() {
    setCaptions();
    m_repeated = m_checker.IsRepeatedWordShown();
    m_hasActive = m_checker.ActiveCustomDictionary() != nullptr;
    const bool repeated = m_repeated;
    m_lblNotFound->setText(text(m_checker.GetString(repeated ? lsDlgRepeatedWord : lsDlgNotFound)));
    m_edtNotFound->setText(fromWord(m_checker.PromptedWord()));

    // Filled below; the list's current item fills the box as it changes.
    m_lstSuggestions->setEnabled(false);
    m_lstSuggestions->clear();
    std::vector<std::string> suggestions;
    if (!repeated && m_checker.IsPrompting())
        m_checker.BuildSuggestions(m_checker.CurrentWord(), m_checker.MaxSuggestions, suggestions);
    for (const std::string& s : suggestions)
        m_lstSuggestions->addItem(fromWord(s));
    if (repeated) {
        m_edtReplaceWith->setText(fromWord(m_checker.CurrentWord()));
    } else if (suggestions.empty()) {
        m_lstSuggestions->addItem(text(m_checker.GetString(lsMnNoSuggestions)));
        m_edtReplaceWith->clear();
    } else {
        m_lstSuggestions->setCurrentRow(0);
        m_edtReplaceWith->setText(fromWord(suggestions.front()));
    }
    m_lstSuggestions->setEnabled(!repeated && !suggestions.empty());
    m_edtReplaceWith->setEnabled(!repeated);

    setCommand(m_btnUndo, sdcUndo, m_checker.CanUndo());
    setCommand(m_btnOptions, sdcOptions, true);
    setCommand(m_btnIgnoreAll, sdcIgnoreAll, !repeated);
    setCommand(m_btnIgnore, sdcIgnore, true);
    setCommand(m_btnAdd, sdcAdd, !repeated && m_hasActive);
    updateChangeCommands();
    setCommand(m_btnHelp, sdcHelp, true);
    setCommand(m_btnCancel, sdcCancel, true);
    if (m_edtReplaceWith->isEnabled()) {
        m_edtReplaceWith->setFocus();
        m_edtReplaceWith->selectAll();
    } else {
        m_btnIgnore->setFocus();
    }
}

// Change, Change All and Auto-Correct put the box's text in place of the word: never nothing
// (which would delete the word, and Auto-Correct would go on deleting it in every later check)
// and never the word itself. Without them Enter means Ignore. A repeated word's Change removes
// the second of the pair.
void TSpellDialog::updateChangeCommands() {
    const QString with = m_edtReplaceWith->text();
    const bool changes =
        m_repeated || (!with.isEmpty() && with != fromWord(m_checker.CurrentWord()));
    setCommand(m_btnChangeAll, sdcChangeAll, !m_repeated && changes);
    setCommand(m_btnChange, sdcChange, changes);
    setCommand(m_btnAutoCorrect, sdcAutoCorrect, !m_repeated && m_hasActive && changes);
    const bool changeIsDefault = changes && m_btnChange->isEnabled();
    m_btnChange->setDefault(false);
    m_btnIgnore->setDefault(false);
    (changeIsDefault ? m_btnChange : m_btnIgnore)->setDefault(true);
}

std::string TSpellDialog::replacement() const {
    // Characters the code page lacks cannot go into the text the checker works on.
    std::string word;
    for (const QChar c : m_edtReplaceWith->text()) {
        const auto byte = kerfa::cp1252::fromUnicode(c.unicode());
        word += byte ? static_cast<char>(*byte) : '?';
    }
    return word;
}

void TSpellDialog::suggestionChosen(QListWidgetItem* item) {
    if (item && m_lstSuggestions->isEnabled())
        m_edtReplaceWith->setText(item->text());
}

void TSpellDialog::suggestionDoubleClicked(QListWidgetItem* item) {
    if (!item || !m_lstSuggestions->isEnabled())
        return;
    m_edtReplaceWith->setText(item->text());
    if (m_btnChange->isEnabled())
        m_checker.Change(replacement());
}

void TSpellDialog::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange)
        Q_EMIT(isActiveWindow() ? activated() : deactivated());
}

// Escape, the Cancel button and the window's close button end the check.
void TSpellDialog::reject() {
    if (m_checker.IsChecking())
        m_checker.Cancel();
    else
        QDialog::reject();
}

#include "spellui/TThesDialog.h"

#include "spellui/CodePageText.h"
#include "spellui/ThesaurusTexts.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>

using namespace kerfa::spelling;

TThesDialog::TThesDialog(const TThesaurusBase& thesaurus, QWidget* parent)
    : QDialog(parent), thesaurus_(thesaurus), session_(thesaurus) {
    setObjectName(QStringLiteral("ThesDialog"));

    // Left: the history and the contexts of the looked-up word.
    m_lblLookedUp = new QLabel(this);
    m_lblLookedUp->setObjectName(QStringLiteral("lblLookedUp"));
    m_cmbLookedUp = new QComboBox(this);
    m_cmbLookedUp->setObjectName(QStringLiteral("cmbLookedUp"));
    m_lblLookedUp->setBuddy(m_cmbLookedUp);
    // The base form an inflected word was found through ("walked": walk).
    m_lblBaseForm = new QLabel(this);
    m_lblBaseForm->setObjectName(QStringLiteral("lblBaseForm"));
    m_lblBaseForm->hide();
    m_lblContexts = new QLabel(this);
    m_lblContexts->setObjectName(QStringLiteral("lblContexts"));
    m_lstContexts = new QTreeWidget(this);
    m_lstContexts->setObjectName(QStringLiteral("lstContexts"));
    m_lstContexts->setColumnCount(2);
    m_lstContexts->setHeaderHidden(true);
    m_lstContexts->setRootIsDecorated(false);
    m_lstContexts->setUniformRowHeights(true);
    m_lstContexts->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_lstContexts->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    m_lstContexts->header()->setStretchLastSection(false);
    m_lblContexts->setBuddy(m_lstContexts);

    // Right: the replacement and the words of the chosen context.
    m_lblReplaceWith = new QLabel(this);
    m_lblReplaceWith->setObjectName(QStringLiteral("lblReplaceWith"));
    m_edtReplaceWith = new QLineEdit(this);
    m_edtReplaceWith->setObjectName(QStringLiteral("edtReplaceWith"));
    m_lblReplaceWith->setBuddy(m_edtReplaceWith);
    m_lstWords = new QListWidget(this);
    m_lstWords->setObjectName(QStringLiteral("lstWords"));

    m_btnPrevious = new QPushButton(this);
    m_btnPrevious->setObjectName(QStringLiteral("btnPrevious"));
    m_btnLookup = new QPushButton(this);
    m_btnLookup->setObjectName(QStringLiteral("btnLookup"));
    m_btnReplace = new QPushButton(this);
    m_btnReplace->setObjectName(QStringLiteral("btnReplace"));
    m_btnReplace->setDefault(true);
    m_btnClose = new QPushButton(this);
    m_btnClose->setObjectName(QStringLiteral("btnClose"));

    m_tmrSelectWord = new QTimer(this);
    m_tmrSelectWord->setObjectName(QStringLiteral("tmrSelectWord"));
    m_tmrSelectWord->setSingleShot(true);
    m_tmrSelectWord->setInterval(10);

    auto* grid = new QGridLayout;
    grid->addWidget(m_lblLookedUp, 0, 0);
    grid->addWidget(m_cmbLookedUp, 1, 0);
    grid->addWidget(m_lblBaseForm, 2, 0);
    grid->addWidget(m_lblContexts, 3, 0);
    grid->addWidget(m_lstContexts, 4, 0);
    grid->addWidget(m_lblReplaceWith, 0, 1);
    grid->addWidget(m_edtReplaceWith, 1, 1);
    grid->addWidget(m_lstWords, 2, 1, 3, 1);
    grid->setRowStretch(4, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_btnPrevious);
    buttons->addStretch();
    buttons->addWidget(m_btnLookup);
    buttons->addWidget(m_btnReplace);
    buttons->addWidget(m_btnClose);
    auto* layout = new QGridLayout(this);
    layout->addLayout(grid, 0, 0);
    layout->addLayout(buttons, 1, 0);
    resize(520, 320);

    const unsigned visible = thesaurus_.CommandsVisible();
    const unsigned enabled = thesaurus_.CommandsEnabled();
    m_lblLookedUp->setVisible(visible & tdcLookedUp);
    m_cmbLookedUp->setVisible(visible & tdcLookedUp);
    m_cmbLookedUp->setEnabled(enabled & tdcLookedUp);
    m_btnPrevious->setVisible(visible & tdcPrevious);
    m_btnLookup->setVisible(visible & tdcLookup);
    m_btnReplace->setVisible(visible & tdcReplace);
    m_btnClose->setVisible(visible & tdcClose);
    m_btnClose->setEnabled(enabled & tdcClose);

    connect(m_cmbLookedUp, &QComboBox::activated, this, &TThesDialog::cmbLookedUpActivated);
    connect(m_lstContexts, &QTreeWidget::currentItemChanged, this,
            &TThesDialog::lstContextsCurrentChanged);
    connect(m_lstWords, &QListWidget::currentRowChanged, this,
            &TThesDialog::lstWordsCurrentRowChanged);
    connect(m_lstWords, &QListWidget::itemDoubleClicked, this, &TThesDialog::lstWordsDoubleClicked);
    connect(m_edtReplaceWith, &QLineEdit::textChanged, this, &TThesDialog::edtReplaceWithChanged);
    connect(m_btnLookup, &QPushButton::clicked, this, &TThesDialog::btnLookupClick);
    connect(m_btnPrevious, &QPushButton::clicked, this, &TThesDialog::btnPreviousClick);
    connect(m_btnReplace, &QPushButton::clicked, this, &TThesDialog::btnReplaceClick);
    connect(m_btnClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_tmrSelectWord, &QTimer::timeout, this, &TThesDialog::SelectLookedUpWord);

    setCaptions();
    UpdateButtons();
}

void TThesDialog::setCaptions() {
    const auto language = thesaurus_.UILanguage();
    const auto text = [&](TThesaurusLanguageString id) {
        return ThesaurusTexts::text(language, id);
    };
    QString caption = text(TThesaurusLanguageString::lsThesaurus);
    caption.replace(QLatin1String("%name%"), CodePageText::fromBytes(thesaurus_.File().Name()));
    setWindowTitle(caption);
    m_lblLookedUp->setText(text(TThesaurusLanguageString::lsDlgLookedUp));
    m_lblContexts->setText(text(TThesaurusLanguageString::lsDlgContexts));
    m_lblReplaceWith->setText(text(TThesaurusLanguageString::lsDlgReplaceWith));
    m_btnPrevious->setText(text(TThesaurusLanguageString::lsDlgPrevious));
    m_btnLookup->setText(text(TThesaurusLanguageString::lsDlgLookup));
    m_btnReplace->setText(text(TThesaurusLanguageString::lsDlgReplace));
    m_btnClose->setText(text(TThesaurusLanguageString::lsDlgClose));
    if (!session_.Word().empty() && !session_.Found())
        m_lstContexts->topLevelItem(0)->setText(0, text(TThesaurusLanguageString::lsDlgNotFound));
    ShowBaseForm();
}

void TThesDialog::ShowBaseForm() {
    const WordForm& form = session_.Form();
    const bool inflected = form.ending != WordEnding::None;
    m_lblBaseForm->setText(inflected
                               ? ThesaurusTexts::text(thesaurus_.UILanguage(),
                                                      TThesaurusLanguageString::lsDlgBaseForm) +
                                     u' ' + CodePageText::fromBytes(form.base)
                               : QString());
    m_lblBaseForm->setVisible(inflected);
}

void TThesDialog::LookUp(std::string_view word) {
    session_.LookUp(word);
    ShowLookup();
}

void TThesDialog::ShowLookup() {
    {
        const QSignalBlocker blocker(m_cmbLookedUp);
        m_cmbLookedUp->clear();
        for (const std::string& word : session_.History())
            m_cmbLookedUp->addItem(CodePageText::fromBytes(word));
        m_cmbLookedUp->setCurrentIndex(0);
    }
    {
        const QSignalBlocker blocker(m_lstContexts);
        m_lstContexts->clear();
        for (const TThesaurusEntry& meaning : session_.Meanings())
            m_lstContexts->addTopLevelItem(
                new QTreeWidgetItem({CodePageText::fromBytes(meaning.headWord),
                                     CodePageText::fromBytes(meaning.kindName)}));
        if (!session_.Found())
            m_lstContexts->addTopLevelItem(new QTreeWidgetItem({ThesaurusTexts::text(
                thesaurus_.UILanguage(), TThesaurusLanguageString::lsDlgNotFound)}));
        m_lstContexts->setCurrentItem(m_lstContexts->topLevelItem(0));
    }
    m_lstContexts->setEnabled(session_.Found());
    ShowBaseForm();
    ShowWords(session_.Found() ? 0 : -1);
    UpdateButtons();
}

void TThesDialog::ShowWords(int context) {
    m_tmrSelectWord->stop();
    lookedUpRow_ = -1;
    const QSignalBlocker blocker(m_lstWords);
    m_lstWords->clear();
    if (context < 0)
        return;
    const auto words = session_.WordsOf(static_cast<std::size_t>(context));
    for (const std::string& word : words) {
        if (lookedUpRow_ < 0 && session_.IsLookedUpWord(word))
            lookedUpRow_ = m_lstWords->count();
        m_lstWords->addItem(CodePageText::fromBytes(word));
    }
    // Selected once the list has been laid out, so that it can be scrolled to the middle.
    if (lookedUpRow_ >= 0)
        m_tmrSelectWord->start();
}

void TThesDialog::SelectLookedUpWord() {
    if (lookedUpRow_ < 0 || lookedUpRow_ >= m_lstWords->count())
        return;
    m_lstWords->setCurrentRow(lookedUpRow_);
    m_lstWords->scrollToItem(m_lstWords->item(lookedUpRow_), QAbstractItemView::PositionAtCenter);
}

void TThesDialog::UpdateButtons() {
    const unsigned enabled = thesaurus_.CommandsEnabled();
    const QString text = m_edtReplaceWith->text();
    m_btnLookup->setEnabled(!text.isEmpty() && (enabled & tdcLookup));
    // A word the code page cannot hold could not be put into the text unchanged.
    m_btnReplace->setEnabled(!text.isEmpty() && (enabled & tdcReplace) &&
                             CodePageText::toExactBytes(text).has_value());
    m_btnPrevious->setEnabled(session_.CanGoBack() && (enabled & tdcPrevious));
}

void TThesDialog::Replace(const std::string& word) {
    replacement_ = word;
    accept();
}

void TThesDialog::cmbLookedUpActivated(int index) {
    if (index >= 0 && static_cast<std::size_t>(index) < session_.History().size())
        LookUp(std::string(session_.History()[static_cast<std::size_t>(index)]));
}

void TThesDialog::lstContextsCurrentChanged() {
    if (session_.Found())
        ShowWords(m_lstContexts->indexOfTopLevelItem(m_lstContexts->currentItem()));
}

void TThesDialog::lstWordsCurrentRowChanged(int row) {
    if (row < 0)
        return;
    const std::string word = CodePageText::toBytes(m_lstWords->item(row)->text());
    const int context = m_lstContexts->indexOfTopLevelItem(m_lstContexts->currentItem());
    m_edtReplaceWith->setText(CodePageText::fromBytes(
        session_.ReplacementFor(word, static_cast<std::size_t>(std::max(context, 0)))));
}

void TThesDialog::lstWordsDoubleClicked(QListWidgetItem* item) {
    const std::string word = CodePageText::toBytes(item->text());
    switch (thesaurus_.DoubleClickAction()) {
    case TThesaurusDoubleClickAction::dcaLookup:
        LookUp(word);
        break;
    case TThesaurusDoubleClickAction::dcaReplace:
        Replace(word);
        break;
    case TThesaurusDoubleClickAction::dcaNone:
        break;
    }
}

void TThesDialog::edtReplaceWithChanged() {
    UpdateButtons();
}

void TThesDialog::btnLookupClick() {
    LookUp(CodePageText::toBytes(m_edtReplaceWith->text()));
}

void TThesDialog::btnPreviousClick() {
    if (session_.Previous())
        ShowLookup();
}

void TThesDialog::btnReplaceClick() {
    if (const auto word = CodePageText::toExactBytes(m_edtReplaceWith->text());
        word && !word->empty())
        Replace(*word);
}

#include "spellui/TCustomDictionaryEditDialog.h"

#include "spellui/DialogButton.h"

#include "spelling/TSpellCheckerBase.h"
#include "spellui/CodePageText.h"
#include "spellui/SpellTexts.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

using namespace kerfa::spelling;

namespace {

constexpr int kBytesRole = Qt::UserRole; // the entry's word in the dictionary's code page

// The word an edit holds, in the code page; nothing when the code page cannot hold it.
std::optional<std::string> typed(const QLineEdit* edit) {
    return CodePageText::toExactBytes(edit->text().trimmed());
}

bool isWord(const std::optional<std::string>& word) {
    return word && !word->empty() && word->find_first_of(" \t") == std::string::npos;
}

} // namespace

struct TCustomDictionaryEditDialog::PageTexts {
    Kind kind;
    TSpellDialogCommand command;
    TSpellLanguageString tab, explanation, word;
    // The page's part of its components' names: ts<name>, lbl<name>Explanation, lv<name>,
    // btnAdd<name>, btnDelete<name>.
    const char* name;
    const char* edit; // the word edit's name
};

TCustomDictionaryEditDialog::TCustomDictionaryEditDialog(const TSpellCheckerBase& checker,
                                                         TCustomDictionary& dictionary,
                                                         const QString& title, QWidget* parent)
    : QDialog(parent), m_checker(checker), m_dictionary(dictionary) {
    setObjectName(QStringLiteral("TCustomDictionaryEditDialog"));
    setWindowTitle(title);
    m_collator.setCaseSensitivity(Qt::CaseInsensitive);

    const std::array<PageTexts, 3> pageTexts = {{
        {Kind::Added, sdcAddedEdit, lsDlgAddedWords, lsDlgAddedWordsExplanation,
         lsDlgIgnoreThisWord, "AddedWords", "edtIgnoreThisWord"},
        {Kind::Pair, sdcAutoCorrectEdit, lsDlgAutoCorrectPairs, lsDlgAutoCorrectPairsExplanation,
         lsDlgReplace, "AutoCorrectPairs", "edtReplace"},
        {Kind::Excluded, sdcExcludedEdit, lsDlgExcludedWords, lsDlgExcludedWordsExplanation,
         lsDlgExcludeThisWord, "ExcludedWords", "edtExcludeThisWord"},
    }};
    m_pgctrlDictionary = new QTabWidget(this);
    m_pgctrlDictionary->setObjectName(QStringLiteral("pgctrlDictionary"));
    // Every tab in sight, however long its caption in the language.
    m_pgctrlDictionary->setUsesScrollButtons(false);
    m_pgctrlDictionary->setElideMode(Qt::ElideNone);
    m_tmrReplace = new QTimer(this);
    m_tmrReplace->setObjectName(QStringLiteral("tmrReplace"));
    m_tmrReplace->setSingleShot(true);
    m_tmrReplace->setInterval(5);
    for (std::size_t i = 0; i < pageTexts.size(); ++i) {
        Page& page = m_pages[i];
        QWidget* sheet = makePage(page, pageTexts[i]);
        page.tab = m_pgctrlDictionary->addTab(sheet, SpellTexts::text(checker, pageTexts[i].tab));
        m_pgctrlDictionary->setTabVisible(page.tab, checker.CommandVisible(pageTexts[i].command));
        m_pgctrlDictionary->setTabEnabled(page.tab, checker.CommandEnabled(pageTexts[i].command));
        page.explanation->setText(SpellTexts::text(checker, pageTexts[i].explanation));
        page.lblWord->setText(SpellTexts::text(checker, pageTexts[i].word));
        fill(page);
    }
    Page& pairs = m_pages[1];
    pairs.lblWith->setText(SpellTexts::text(checker, lsDlgWith));
    pairs.list->setHeaderLabels({SpellTexts::plain(SpellTexts::text(checker, lsDlgReplace)),
                                 SpellTexts::plain(SpellTexts::text(checker, lsDlgWith))});
    connect(m_tmrReplace, &QTimer::timeout, this, [this] { evaluate(m_pages[1]); });

    m_btnHelp = dialogButton(this, QStringLiteral("btnHelp"));
    m_btnHelp->setText(SpellTexts::text(checker, lsDlgHelp));
    m_btnHelp->setVisible(checker.CommandVisible(sdcHelp));
    m_btnHelp->setEnabled(checker.CommandEnabled(sdcHelp));
    m_btnOK = dialogButton(this, QStringLiteral("btnOK"));
    m_btnOK->setText(SpellTexts::text(checker, lsDlgOK));
    m_btnOK->setDefault(true);
    connect(m_btnOK, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_btnHelp);
    buttons->addStretch(1);
    buttons->addWidget(m_btnOK);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pgctrlDictionary, 1);
    layout->addLayout(buttons);

    for (const Page& page : m_pages) {
        if (m_pgctrlDictionary->isTabVisible(page.tab) &&
            m_pgctrlDictionary->isTabEnabled(page.tab)) {
            m_pgctrlDictionary->setCurrentIndex(page.tab);
            page.edtWord->setFocus();
            break;
        }
    }
}

QWidget* TCustomDictionaryEditDialog::makePage(Page& page, const PageTexts& texts) {
    const QString name = QLatin1String(texts.name);
    auto* sheet = new QWidget(this);
    sheet->setObjectName(QStringLiteral("ts") + name);
    page.kind = texts.kind;
    page.explanation = new QLabel(sheet);
    page.explanation->setObjectName(QStringLiteral("lbl") + name + QStringLiteral("Explanation"));
    page.explanation->setWordWrap(true);
    page.lblWord = new QLabel(sheet);
    page.edtWord = new QLineEdit(sheet);
    page.edtWord->setObjectName(QLatin1String(texts.edit));
    page.lblWord->setObjectName(QStringLiteral("lbl") + page.edtWord->objectName().mid(3));
    page.lblWord->setBuddy(page.edtWord);
    page.list = new QTreeWidget(sheet);
    page.list->setObjectName(QStringLiteral("lv") + name);
    page.list->setRootIsDecorated(false);
    page.list->setUniformRowHeights(true);
    page.list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    page.btnAdd = dialogButton(sheet, QStringLiteral("btnAdd") + name);
    page.btnAdd->setText(SpellTexts::text(m_checker, lsDlgAdd));
    page.btnAdd->setEnabled(false);
    page.btnDelete = dialogButton(sheet, QStringLiteral("btnDelete") + name);
    page.btnDelete->setText(SpellTexts::text(m_checker, lsDlgDelete));
    page.btnDelete->setEnabled(false);

    auto* grid = new QGridLayout(sheet);
    grid->addWidget(page.explanation, 0, 0, 1, 3);
    grid->setRowMinimumHeight(1, grid->spacing());
    grid->addWidget(page.lblWord, 2, 0);
    grid->addWidget(page.edtWord, 3, 0);
    if (texts.kind == Kind::Pair) {
        page.lblWith = new QLabel(sheet);
        page.lblWith->setObjectName(QStringLiteral("lblWith"));
        page.edtWith = new QLineEdit(sheet);
        page.edtWith->setObjectName(QStringLiteral("edtWith"));
        page.lblWith->setBuddy(page.edtWith);
        grid->addWidget(page.lblWith, 2, 1);
        grid->addWidget(page.edtWith, 3, 1);
        page.list->setColumnCount(2);
        page.list->header()->setSectionResizeMode(QHeaderView::Stretch);
        grid->addWidget(page.list, 4, 0, 1, 2);
        setTabOrder(page.edtWord, page.edtWith);
        setTabOrder(page.edtWith, page.btnAdd);
    } else {
        page.list->setColumnCount(1);
        page.list->setHeaderHidden(true);
        grid->addWidget(page.list, 4, 0, 1, 2);
        setTabOrder(page.edtWord, page.btnAdd);
    }
    grid->addWidget(page.btnAdd, 3, 2);
    grid->addWidget(page.btnDelete, 4, 2, Qt::AlignTop);
    grid->setRowStretch(4, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, texts.kind == Kind::Pair ? 1 : 0);
    setTabOrder(page.btnAdd, page.list);
    setTabOrder(page.list, page.btnDelete);

    page.edtWord->installEventFilter(this);
    if (page.edtWith)
        page.edtWith->installEventFilter(this);
    page.list->installEventFilter(this);
    Page* const p = &page;
    if (texts.kind == Kind::Pair) {
        // The pair's word is looked for once typing pauses.
        connect(page.edtWord, &QLineEdit::textChanged, m_tmrReplace, qOverload<>(&QTimer::start));
        connect(page.edtWith, &QLineEdit::textChanged, this, [this, p] { evaluate(*p); });
    } else {
        connect(page.edtWord, &QLineEdit::textChanged, this, [this, p] { evaluate(*p); });
    }
    connect(page.btnAdd, &QPushButton::clicked, this, [this, p] { add(*p); });
    connect(page.btnDelete, &QPushButton::clicked, this, [this, p] { remove(*p); });
    connect(page.list, &QTreeWidget::itemSelectionChanged, this,
            [p] { p->btnDelete->setEnabled(!p->list->selectedItems().isEmpty()); });
    return sheet;
}

QTreeWidgetItem* TCustomDictionaryEditDialog::makeItem(const Page& page, const std::string& word,
                                                       const std::string& replacement) const {
    auto* item = new QTreeWidgetItem;
    item->setText(0, CodePageText::fromBytes(word));
    item->setData(0, kBytesRole, QByteArray::fromStdString(word));
    if (page.kind == Kind::Pair)
        item->setText(1, CodePageText::fromBytes(replacement));
    return item;
}

void TCustomDictionaryEditDialog::fill(Page& page) {
    const std::size_t count = m_dictionary.Count(page.kind);
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(count));
    for (std::size_t i = 0; i < count; ++i)
        items.append(makeItem(page, std::string(m_dictionary.Word(page.kind, i)),
                              page.kind == Kind::Pair ? std::string(m_dictionary.Replacement(i))
                                                      : std::string()));
    // The dictionary keeps its entries in hash order.
    std::sort(items.begin(), items.end(), [this](QTreeWidgetItem* a, QTreeWidgetItem* b) {
        return m_collator.compare(a->text(0), b->text(0)) < 0;
    });
    page.list->clear();
    page.list->addTopLevelItems(items);
}

bool TCustomDictionaryEditDialog::heldAsAnyKind(const std::string& word) {
    return m_dictionary.Holds(word);
}

void TCustomDictionaryEditDialog::evaluate(Page& page) {
    const QString text = page.edtWord->text().trimmed();
    const QList<QTreeWidgetItem*> found =
        text.isEmpty() ? QList<QTreeWidgetItem*>()
                       : page.list->findItems(text, Qt::MatchExactly | Qt::MatchCaseSensitive, 0);
    if (found.isEmpty()) {
        page.list->clearSelection();
    } else {
        page.list->setCurrentItem(found.front());
        page.list->scrollToItem(found.front());
    }
    const std::optional<std::string> word = typed(page.edtWord);
    bool addable = isWord(word) && !heldAsAnyKind(*word);
    if (page.kind == Kind::Pair) {
        // An empty replacement would erase the word wherever it is corrected.
        const std::optional<std::string> with = typed(page.edtWith);
        addable = addable && with && !with->empty() && *with != *word &&
                  word->size() + with->size() <= TCustomDictionary::kMaxEntryBytes;
    } else {
        addable = addable && word->size() <= TCustomDictionary::kMaxEntryBytes;
    }
    page.btnAdd->setEnabled(addable);
}

void TCustomDictionaryEditDialog::add(Page& page) {
    evaluate(page);
    if (!page.btnAdd->isEnabled())
        return;
    const std::string word = *typed(page.edtWord);
    const std::string with = page.edtWith ? *typed(page.edtWith) : std::string();
    bool added = false;
    switch (page.kind) {
    case Kind::Added:
        added = m_dictionary.AddWord(word);
        break;
    case Kind::Excluded:
        added = m_dictionary.AddExcluded(word);
        break;
    case Kind::Pair:
        added = m_dictionary.AddPair(word, with);
        break;
    }
    if (!added)
        return;
    QTreeWidgetItem* item = makeItem(page, word, with);
    int at = 0;
    while (at < page.list->topLevelItemCount() &&
           m_collator.compare(page.list->topLevelItem(at)->text(0), item->text(0)) < 0)
        ++at;
    page.list->insertTopLevelItem(at, item);
    page.edtWord->clear();
    if (page.edtWith)
        page.edtWith->clear();
    m_tmrReplace->stop();
    page.list->setCurrentItem(item);
    page.list->scrollToItem(item);
    page.btnAdd->setEnabled(false);
    page.edtWord->setFocus();
}

void TCustomDictionaryEditDialog::remove(Page& page) {
    const QList<QTreeWidgetItem*> selected = page.list->selectedItems();
    for (QTreeWidgetItem* item : selected) {
        const std::string word = item->data(0, kBytesRole).toByteArray().toStdString();
        switch (page.kind) {
        case Kind::Added:
            m_dictionary.RemoveWord(word);
            break;
        case Kind::Excluded:
            m_dictionary.RemoveExcluded(word);
            break;
        case Kind::Pair:
            m_dictionary.RemovePair(word);
            break;
        }
        delete item;
    }
    evaluate(page);
}

TCustomDictionaryEditDialog::Page* TCustomDictionaryEditDialog::pageOf(const QObject* widget) {
    for (Page& page : m_pages)
        if (widget && (widget == page.edtWord || widget == page.edtWith || widget == page.list))
            return &page;
    return nullptr;
}

// Enter in an edit adds the entry instead of closing the dialog; Delete in a list deletes.
bool TCustomDictionaryEditDialog::eventFilter(QObject* watched, QEvent* event) {
    Page* page = pageOf(watched);
    if (page && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (watched != page->list && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            add(*page);
            return true;
        }
        if (watched == page->list && key == Qt::Key_Delete) {
            remove(*page);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

#include "editor/TfmRecovery.h"

#include "editor/WordDiffView.h"
#include "language/Captions.h"
#include "language/FormCaptions.h"
#include "language/Language.h"
#include "language/Messages.h"
#include "platform/MessageBoxes.h"
#include "platform/ScreenCentre.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QTextEdit>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <utility>

namespace {

template <class T> T* named(T* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QString caption(const char* component) {
    return Captions::text(u"fmRecovery", QString::fromLatin1(component));
}

QString bookName(const QString& projectFolder) {
    const QString name = QFileInfo(QDir::cleanPath(projectFolder)).fileName();
    return name.isEmpty() ? QStringLiteral("?") : name;
}

} // namespace

TfmRecovery::TfmRecovery(QList<Entry> entries, Actions actions, bool withBooks, QWidget* parent)
    : QDialog(parent), m_entries(std::move(entries)), m_actions(std::move(actions)),
      m_withBooks(withBooks) {
    setObjectName(QStringLiteral("fmRecovery"));
    setAttribute(Qt::WA_DeleteOnClose);

    m_lblIntro = named(new QLabel(this), "lblIntro");
    m_lblIntro->setWordWrap(true);
    m_lstCopies = named(new QTreeWidget(this), "lstCopies");
    m_lstCopies->setColumnCount(2);
    m_lstCopies->setRootIsDecorated(false);
    m_lstCopies->setIndentation(withBooks ? fontMetrics().averageCharWidth() * 2 : 0);
    m_lstCopies->setSelectionMode(QAbstractItemView::SingleSelection);
    m_lstCopies->setUniformRowHeights(true);
    m_lstCopies->setAllColumnsShowFocus(true);
    m_lstCopies->header()->setStretchLastSection(false);
    m_lstCopies->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_lstCopies->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    m_lstCopies->setMinimumWidth(fontMetrics().averageCharWidth() * 42);
    m_memCompare = named(new QTextEdit(this), "memCompare");
    m_memCompare->setReadOnly(true);
    m_memCompare->setMinimumSize(fontMetrics().averageCharWidth() * 60,
                                 fontMetrics().height() * 20);
    m_lblLegend = named(new QLabel(this), "lblLegend");
    m_lblLegend->setWordWrap(true);

    m_btnRestore = named(new QPushButton(this), "btnRestore");
    m_btnCopy = named(new QPushButton(this), "btnCopy");
    m_btnDiscard = named(new QPushButton(this), "btnDiscard");
    m_btnClose = named(new QPushButton(this), "btnClose");
    // Enter in the list decides nothing.
    for (QPushButton* button : {m_btnRestore, m_btnCopy, m_btnDiscard, m_btnClose})
        button->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_btnRestore);
    buttons->addWidget(m_btnCopy);
    buttons->addWidget(m_btnDiscard);
    buttons->addStretch();
    buttons->addWidget(m_btnClose);

    auto* panes = new QHBoxLayout;
    panes->addWidget(m_lstCopies);
    auto* compare = new QVBoxLayout;
    compare->addWidget(m_memCompare, 1);
    compare->addWidget(m_lblLegend);
    panes->addLayout(compare, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lblIntro);
    layout->addSpacing(layout->spacing());
    layout->addLayout(panes, 1);
    layout->addLayout(buttons);

    connect(m_lstCopies, &QTreeWidget::itemSelectionChanged, this, &TfmRecovery::lstCopiesChange);
    connect(m_btnRestore, &QPushButton::clicked, this, &TfmRecovery::btnRestoreClick);
    connect(m_btnCopy, &QPushButton::clicked, this, &TfmRecovery::btnCopyClick);
    connect(m_btnDiscard, &QPushButton::clicked, this, &TfmRecovery::btnDiscardClick);
    connect(m_btnClose, &QPushButton::clicked, this, &TfmRecovery::btnCloseClick);
    FormCaptions::apply(this);
    connect(&Language::instance(), &Language::applied, this, &TfmRecovery::applyCaptions);
    applyCaptions();
    fillList();
    resize(sizeHint().expandedTo(QSize(820, 460)));
    m_lstCopies->setFocus();
}

void TfmRecovery::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // In the middle of the screen, over the desk and the editors, the first time.
    if (!event->spontaneous() && std::exchange(m_firstShow, false))
        centreOnScreen(this);
}

void TfmRecovery::applyCaptions() {
    setWindowTitle(Captions::text(u"fmRecovery", u""));
    m_lblIntro->setText(caption(m_withBooks ? "txtKept" : "txtEnded"));
    m_lstCopies->setHeaderLabels({caption("hdrKerfa"), caption("hdrKept")});
    lstCopiesChange();
}

void TfmRecovery::fillList() {
    m_lstCopies->clear();
    const QLocale locale;
    const QIcon warning = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    QTreeWidgetItem* book = nullptr;
    for (const Entry& entry : std::as_const(m_entries)) {
        // Under its book, which heads the copies of each book it kept.
        if (m_withBooks && (!book || book->toolTip(0) != entry.copy.projectFolder)) {
            book = new QTreeWidgetItem(m_lstCopies, {bookName(entry.copy.projectFolder)});
            book->setToolTip(0, entry.copy.projectFolder);
            book->setFirstColumnSpanned(true);
            book->setFlags(Qt::ItemIsEnabled);
            book->setIcon(0, style()->standardIcon(QStyle::SP_DirIcon));
        }
        const QStringList columns{entry.copy.sheetName,
                                  locale.toString(entry.copy.kept.date(), QLocale::ShortFormat) +
                                      u' ' +
                                      entry.copy.kept.time().toString(QStringLiteral("hh:mm:ss"))};
        auto* item =
            book ? new QTreeWidgetItem(book, columns) : new QTreeWidgetItem(m_lstCopies, columns);
        item->setData(0, Qt::UserRole, entry.copy.path);
        // What cannot be put back is marked, so that it is not taken for what can.
        if (entry.offer == RecoveryStore::Offer::SheetGone ||
            entry.offer == RecoveryStore::Offer::Damaged)
            item->setIcon(0, warning);
    }
    m_lstCopies->expandAll();
    if (QTreeWidgetItem* first = copyItems().value(0))
        m_lstCopies->setCurrentItem(first, 0, QItemSelectionModel::ClearAndSelect);
    lstCopiesChange();
}

QList<QTreeWidgetItem*> TfmRecovery::copyItems() const {
    QList<QTreeWidgetItem*> items;
    for (int i = 0; i < m_lstCopies->topLevelItemCount(); ++i) {
        QTreeWidgetItem* top = m_lstCopies->topLevelItem(i);
        if (top->childCount() == 0)
            items << top;
        for (int j = 0; j < top->childCount(); ++j)
            items << top->child(j);
    }
    return items;
}

const TfmRecovery::Entry* TfmRecovery::chosen() const {
    const QList<QTreeWidgetItem*> items = m_lstCopies->selectedItems();
    if (items.isEmpty())
        return nullptr;
    const QString path = items.front()->data(0, Qt::UserRole).toString();
    for (const Entry& entry : m_entries)
        if (!path.isEmpty() && entry.copy.path == path)
            return &entry;
    return nullptr;
}

void TfmRecovery::choose(const QString& copyPath) {
    for (QTreeWidgetItem* item : copyItems())
        if (item->data(0, Qt::UserRole).toString() == copyPath)
            m_lstCopies->setCurrentItem(item, 0, QItemSelectionModel::ClearAndSelect);
}

void TfmRecovery::lstCopiesChange() {
    const Entry* entry = chosen();
    m_btnRestore->setEnabled(entry && entry->offer == RecoveryStore::Offer::Restore);
    m_btnCopy->setEnabled(entry);
    m_btnDiscard->setEnabled(entry);
    m_memCompare->clear();
    m_lblLegend->clear();
    if (!entry)
        return;
    switch (entry->offer) {
    case RecoveryStore::Offer::Restore:
        m_lblLegend->setText(caption("lblLegend"));
        break;
    case RecoveryStore::Offer::SheetGone:
        m_lblLegend->setText(caption("txtSheetGone"));
        break;
    case RecoveryStore::Offer::Damaged:
        m_lblLegend->setText(caption("txtDamaged"));
        break;
    case RecoveryStore::Offer::OtherBook:
        m_lblLegend->setText(caption(RecoveryStore::bookExists(entry->copy.projectFolder)
                                         ? "txtOtherBook"
                                         : "txtBookGone")
                                 .arg(QDir::toNativeSeparators(entry->copy.projectFolder)));
        break;
    }
    if (entry->offer == RecoveryStore::Offer::Restore && entry->saved)
        WordDiffView::show(m_memCompare, *entry->saved, entry->copy.text);
    else
        m_memCompare->setPlainText(entry->copy.text);
}

void TfmRecovery::btnRestoreClick() {
    const Entry* entry = chosen();
    if (!entry || entry->offer != RecoveryStore::Offer::Restore)
        return;
    if (m_actions.restore && m_actions.restore(*entry))
        decided(entry->copy.path);
}

void TfmRecovery::btnCopyClick() {
    if (const Entry* entry = chosen())
        QApplication::clipboard()->setText(entry->copy.text);
}

void TfmRecovery::btnDiscardClick() {
    const Entry* entry = chosen();
    if (!entry || MessageBoxes::confirm(Messages::text(Messages::DISCARD_RECOVERED),
                                        MessageBoxes::Buttons::YesNo) != MessageBoxes::Answer::Yes)
        return;
    if (m_actions.discard)
        m_actions.discard(*entry);
    decided(entry->copy.path);
}

void TfmRecovery::btnCloseClick() {
    close();
}

void TfmRecovery::decided(QString copyPath) {
    m_entries.removeIf([&](const Entry& entry) { return entry.copy.path == copyPath; });
    if (m_entries.isEmpty()) {
        close();
        return;
    }
    const QList<QTreeWidgetItem*> items = copyItems();
    for (qsizetype at = 0; at < items.size(); ++at) {
        if (items[at]->data(0, Qt::UserRole).toString() != copyPath)
            continue;
        // The next copy in the list is chosen, or the one before at its end.
        QTreeWidgetItem* next = items.value(at + 1, items.value(at - 1));
        QTreeWidgetItem* book = items[at]->parent();
        delete items[at];
        if (book && book->childCount() == 0)
            delete book;
        m_lstCopies->setCurrentItem(next, 0, QItemSelectionModel::ClearAndSelect);
        break;
    }
    lstCopiesChange();
}

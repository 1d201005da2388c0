#include "editor/TfmRecovery.h"

#include "editor/WordDiffView.h"
#include "language/Captions.h"
#include "language/FormCaptions.h"
#include "language/Language.h"
#include "language/Messages.h"
#include "platform/MessageBoxes.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QStyle>
#include <QTextEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

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
    m_lstCopies->setColumnCount(withBooks ? 3 : 2);
    m_lstCopies->setRootIsDecorated(false);
    m_lstCopies->setSelectionMode(QAbstractItemView::SingleSelection);
    m_lstCopies->setUniformRowHeights(true);
    m_lstCopies->header()->setStretchLastSection(false);
    for (int column = 0; column < m_lstCopies->columnCount() - 1; ++column)
        m_lstCopies->header()->setSectionResizeMode(column, QHeaderView::Stretch);
    m_lstCopies->header()->setSectionResizeMode(m_lstCopies->columnCount() - 1,
                                                QHeaderView::ResizeToContents);
    m_lstCopies->setMinimumWidth(fontMetrics().averageCharWidth() * (withBooks ? 52 : 38));
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
    resize(sizeHint().expandedTo(QSize(840, 480)));
    m_lstCopies->setFocus();
}

void TfmRecovery::applyCaptions() {
    setWindowTitle(Captions::text(u"fmRecovery", u""));
    m_lblIntro->setText(caption(m_withBooks ? "txtKept" : "txtEnded"));
    QStringList headers;
    if (m_withBooks)
        headers << caption("hdrBook");
    headers << caption("hdrKerfa") << caption("hdrKept");
    m_lstCopies->setHeaderLabels(headers);
    lstCopiesChange();
}

void TfmRecovery::fillList() {
    m_lstCopies->clear();
    const QLocale locale;
    const QIcon warning = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    for (const Entry& entry : std::as_const(m_entries)) {
        QStringList columns;
        if (m_withBooks)
            columns << bookName(entry.copy.projectFolder);
        columns << entry.copy.sheetName
                << locale.toString(entry.copy.kept.date(), QLocale::ShortFormat) + u' ' +
                       entry.copy.kept.time().toString(QStringLiteral("hh:mm:ss"));
        auto* item = new QTreeWidgetItem(m_lstCopies, columns);
        item->setData(0, Qt::UserRole, entry.copy.path);
        if (m_withBooks)
            item->setToolTip(0, entry.copy.projectFolder);
        // What cannot be put back is marked, so that it is not taken for what can.
        if (entry.offer != RecoveryStore::Offer::Restore &&
            entry.offer != RecoveryStore::Offer::OtherBook)
            item->setIcon(m_withBooks ? 1 : 0, warning);
    }
    if (QTreeWidgetItem* first = m_lstCopies->topLevelItem(0))
        m_lstCopies->setCurrentItem(first, 0, QItemSelectionModel::ClearAndSelect);
    lstCopiesChange();
}

const TfmRecovery::Entry* TfmRecovery::chosen() const {
    const QList<QTreeWidgetItem*> items = m_lstCopies->selectedItems();
    if (items.isEmpty())
        return nullptr;
    const QString path = items.front()->data(0, Qt::UserRole).toString();
    for (const Entry& entry : m_entries)
        if (entry.copy.path == path)
            return &entry;
    return nullptr;
}

void TfmRecovery::choose(const QString& copyPath) {
    for (int i = 0; i < m_lstCopies->topLevelItemCount(); ++i)
        if (QTreeWidgetItem* item = m_lstCopies->topLevelItem(i);
            item->data(0, Qt::UserRole).toString() == copyPath)
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
    int at = 0;
    for (int i = 0; i < m_lstCopies->topLevelItemCount(); ++i)
        if (m_lstCopies->topLevelItem(i)->data(0, Qt::UserRole).toString() == copyPath) {
            delete m_lstCopies->takeTopLevelItem(i);
            at = i;
            break;
        }
    if (m_entries.isEmpty()) {
        close();
        return;
    }
    // The one that took its place is chosen (the view made it current without choosing it).
    m_lstCopies->setCurrentItem(
        m_lstCopies->topLevelItem(std::min(at, m_lstCopies->topLevelItemCount() - 1)), 0,
        QItemSelectionModel::ClearAndSelect);
    lstCopiesChange();
}

#include "editor/TfmSnapshots.h"

#include "editor/SheetText.h"
#include "editor/WordDiffView.h"
#include "language/Captions.h"
#include "language/FormCaptions.h"
#include "language/Language.h"
#include "language/Messages.h"
#include "platform/MessageBoxes.h"
#include "platform/ScreenCentre.h"
#include "platform/WaitCursor.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTextEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

template <class T> T* named(T* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QString caption(const char* component) {
    return Captions::text(u"fmSnapshots", QString::fromLatin1(component));
}

} // namespace

TfmSnapshots::TfmSnapshots(LiveSheetText text, QWidget* parent)
    : QDialog(parent), m_text(std::move(text)) {
    setObjectName(QStringLiteral("fmSnapshots"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    m_lstSnapshots = named(new QTreeWidget(this), "lstSnapshots");
    m_lstSnapshots->setColumnCount(2);
    m_lstSnapshots->setRootIsDecorated(false);
    m_lstSnapshots->setSelectionMode(QAbstractItemView::SingleSelection);
    m_lstSnapshots->header()->setStretchLastSection(false);
    m_lstSnapshots->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_lstSnapshots->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    m_lstSnapshots->setMinimumWidth(fontMetrics().averageCharWidth() * 34);
    m_memCompare = named(new QTextEdit(this), "memCompare");
    m_memCompare->setReadOnly(true);
    m_memCompare->setMinimumSize(fontMetrics().averageCharWidth() * 60,
                                 fontMetrics().height() * 20);
    m_lblLegend = named(new QLabel(this), "lblLegend");
    m_lblLegend->setWordWrap(true);

    m_btnTakeSnapshot = named(new QPushButton(this), "btnTakeSnapshot");
    m_btnRestore = named(new QPushButton(this), "btnRestore");
    m_btnClose = named(new QPushButton(this), "btnClose");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_btnTakeSnapshot);
    buttons->addWidget(m_btnRestore);
    buttons->addStretch();
    buttons->addWidget(m_btnClose);

    auto* panes = new QHBoxLayout;
    panes->addWidget(m_lstSnapshots);
    auto* compare = new QVBoxLayout;
    compare->addWidget(m_memCompare, 1);
    compare->addWidget(m_lblLegend);
    panes->addLayout(compare, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(panes, 1);
    layout->addLayout(buttons);

    connect(m_lstSnapshots, &QTreeWidget::itemSelectionChanged, this,
            &TfmSnapshots::lstSnapshotsChange);
    connect(m_btnTakeSnapshot, &QPushButton::clicked, this, &TfmSnapshots::btnTakeSnapshotClick);
    connect(m_btnRestore, &QPushButton::clicked, this, &TfmSnapshots::btnRestoreClick);
    connect(m_btnClose, &QPushButton::clicked, this, &TfmSnapshots::btnCloseClick);
    FormCaptions::apply(this);
    // After the table's captions, which name no sheet.
    connect(&Language::instance(), &Language::applied, this, &TfmSnapshots::applyCaptions);
    applyCaptions();
    resize(sizeHint().expandedTo(QSize(820, 440)));
    centreOver(this, parent);
    refresh();
    m_lstSnapshots->setFocus();
}

void TfmSnapshots::applyCaptions() {
    setWindowTitle(Captions::text(u"fmSnapshots", u"") + QStringLiteral(": '") +
                   m_text.sheetName() + u'\'');
    m_lstSnapshots->setHeaderLabels({caption("hdrTaken"), caption("hdrWords")});
}

void TfmSnapshots::refresh() {
    const WaitCursor wait;
    m_lstSnapshots->clear();
    const QLocale locale;
    for (const SnapshotStore::Entry& entry : m_text.store().list(m_text.sheetName())) {
        const std::optional<qint64> words = SheetText::countWordsInFile(entry.path);
        auto* item = new QTreeWidgetItem(
            m_lstSnapshots, {locale.toString(entry.taken.date(), QLocale::ShortFormat) + u' ' +
                                 entry.taken.time().toString(QStringLiteral("hh:mm:ss")),
                             words ? locale.toString(*words) : QString()});
        item->setData(0, Qt::UserRole, entry.path);
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    }
    // The newest at once: what changed since it is what the writer most often asks.
    if (QTreeWidgetItem* newest = m_lstSnapshots->topLevelItem(0))
        m_lstSnapshots->setCurrentItem(newest);
    lstSnapshotsChange();
}

QString TfmSnapshots::chosenPath() const {
    const QList<QTreeWidgetItem*> chosen = m_lstSnapshots->selectedItems();
    return chosen.isEmpty() ? QString() : chosen.front()->data(0, Qt::UserRole).toString();
}

void TfmSnapshots::lstSnapshotsChange() {
    const QString path = chosenPath();
    m_btnRestore->setEnabled(!path.isEmpty());
    m_memCompare->clear();
    if (path.isEmpty())
        return;
    const std::optional<QString> snapshot = SnapshotStore::read(path);
    const std::optional<QString> current = m_text.read();
    if (!snapshot || !current)
        return;
    WordDiffView::show(m_memCompare, *snapshot, *current);
}

void TfmSnapshots::btnTakeSnapshotClick() {
    if (!m_text.takeSnapshot())
        MessageBoxes::warning(Messages::text(Messages::CANNOT_WRITE_FILE));
    refresh();
}

void TfmSnapshots::btnRestoreClick() {
    const QString path = chosenPath();
    if (path.isEmpty())
        return;
    if (!m_text.restore(path))
        MessageBoxes::warning(Messages::text(Messages::CANNOT_WRITE_FILE));
    refresh();
}

void TfmSnapshots::btnCloseClick() {
    close();
}

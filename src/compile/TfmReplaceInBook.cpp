#include "compile/TfmReplaceInBook.h"

#include "compile/BookReplace.h"
#include "editor/FindGroup.h"
#include "language/Captions.h"
#include "language/FormCaptions.h"
#include "language/Language.h"
#include "language/Messages.h"
#include "platform/MessageBoxes.h"
#include "platform/ScreenCentre.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

template <class T> T* named(T* component, const char* name) {
    component->setObjectName(QString::fromLatin1(name));
    return component;
}

QString caption(const char* component) {
    return Captions::text(u"fmReplaceInBook", QString::fromLatin1(component));
}

} // namespace

TfmReplaceInBook::TfmReplaceInBook(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fmReplaceInBook"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    auto* gbFind = new FindGroup(this, QStringLiteral("cbWholeWords"));
    m_edtFind = gbFind->findBox();
    m_cbMatchCase = gbFind->matchCase();
    m_cbWholeWords = gbFind->secondBox();

    auto* gbReplace = named(new QGroupBox(this), "gbReplace");
    m_edtReplace = named(new QLineEdit(gbReplace), "edtReplace");
    m_edtReplace->setMaxLength(FindGroup::kMaxFindLength);
    auto* replaceLayout = new QVBoxLayout(gbReplace);
    replaceLayout->addWidget(m_edtReplace);

    m_btnFind = named(new QPushButton(this), "btnFind");
    m_btnFind->setDefault(true);
    m_btnReplace = named(new QPushButton(this), "btnReplace");
    m_btnReplace->setEnabled(false);
    m_btnClose = named(new QPushButton(this), "btnClose");
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_btnFind);
    buttons->addWidget(m_btnReplace);
    buttons->addWidget(m_btnClose);
    buttons->addStretch();

    m_lstMatches = named(new QTreeWidget(this), "lstMatches");
    m_lstMatches->setColumnCount(3);
    m_lstMatches->setRootIsDecorated(false);
    m_lstMatches->setUniformRowHeights(true);
    m_lstMatches->header()->setStretchLastSection(true);
    m_lstMatches->setMinimumSize(fontMetrics().averageCharWidth() * 90,
                                 fontMetrics().height() * 14);
    m_lblStatus = named(new QLabel(this), "lblStatus");
    m_lblStatus->setWordWrap(true);

    auto* boxes = new QVBoxLayout;
    boxes->addWidget(gbFind);
    boxes->addWidget(gbReplace);
    auto* top = new QHBoxLayout;
    top->addLayout(boxes, 1);
    top->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_lstMatches, 1);
    layout->addWidget(m_lblStatus);

    connect(m_btnFind, &QPushButton::clicked, this, &TfmReplaceInBook::btnFindClick);
    connect(m_btnReplace, &QPushButton::clicked, this, &TfmReplaceInBook::btnReplaceClick);
    connect(m_btnClose, &QPushButton::clicked, this, &TfmReplaceInBook::btnCloseClick);
    connect(m_lstMatches, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { Q_EMIT editRequested(item->text(0)); });
    FormCaptions::apply(this);
    connect(&Language::instance(), &Language::applied, this, &TfmReplaceInBook::applyCaptions);
    applyCaptions();
}

void TfmReplaceInBook::setCommands(BookReplace* commands) {
    if (m_commands)
        disconnect(m_commands, nullptr, this, nullptr);
    m_commands = commands;
    if (commands)
        connect(commands, &BookReplace::cleared, this, [this] {
            showHits();
            m_lblStatus->clear();
        });
}

void TfmReplaceInBook::applyCaptions() {
    m_lstMatches->setHeaderLabels({caption("hdrKerfa"), caption("hdrLine"), caption("hdrText")});
}

void TfmReplaceInBook::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TfmReplaceInBook::FormShow() {
    if (m_firstShow) {
        // In the middle of the screen the first time; where the writer left it afterwards.
        centreOnScreen(this);
        m_firstShow = false;
    }
    m_edtFind->setFocus();
    m_edtFind->selectAll();
}

void TfmReplaceInBook::btnFindClick() {
    if (m_edtFind->text().isEmpty() || !m_commands)
        return;
    m_commands->search(m_edtFind->text(), m_cbMatchCase->isChecked(), m_cbWholeWords->isChecked());
    showHits();
    m_lblStatus->setText(
        caption("txtFound").arg(m_commands->hits().size()).arg(m_commands->sheetsHit()));
}

void TfmReplaceInBook::showHits() {
    m_lstMatches->clear();
    if (!m_commands)
        return;
    const QList<BookReplace::Hit>& hits = m_commands->hits();
    QList<QTreeWidgetItem*> items;
    items.reserve(hits.size());
    for (const BookReplace::Hit& hit : hits) {
        const BookMatches::Match& m = hit.match;
        // The line's tabs and the like shown as blanks, so each row stays one line.
        QString around = m.before + u'[' + m.found + u']' + m.after;
        for (QChar& c : around)
            if (c.isSpace())
                c = u' ';
        auto* item = new QTreeWidgetItem({hit.sheet, QString::number(m.line), around});
        item->setCheckState(0, Qt::Checked);
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        items << item;
    }
    m_lstMatches->addTopLevelItems(items);
    m_lstMatches->resizeColumnToContents(0);
    m_lstMatches->resizeColumnToContents(1);
    m_btnReplace->setEnabled(!hits.isEmpty());
}

void TfmReplaceInBook::btnReplaceClick() {
    if (!m_commands || m_commands->hits().isEmpty())
        return;
    QList<bool> ticked;
    for (int i = 0; i < m_lstMatches->topLevelItemCount(); ++i)
        ticked << (m_lstMatches->topLevelItem(i)->checkState(0) == Qt::Checked);
    const BookReplace::Outcome outcome = m_commands->replace(ticked, m_edtReplace->text());
    showHits();
    QString status = caption("txtReplaced").arg(outcome.replaced).arg(outcome.sheets);
    if (!outcome.changedSince.isEmpty())
        status += u' ' + caption("txtChanged").arg(outcome.changedSince.join(QStringLiteral(", ")));
    m_lblStatus->setText(status);
    if (!outcome.failed.isEmpty())
        MessageBoxes::warning(Messages::text(Messages::CANNOT_WRITE_FILE) + QStringLiteral(" (") +
                              outcome.failed.join(QStringLiteral(", ")) + u')');
}

void TfmReplaceInBook::btnCloseClick() {
    close();
}

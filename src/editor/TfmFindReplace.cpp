#include "editor/TfmFindReplace.h"

#include "editor/FindGroup.h"
#include "editor/TextFinder.h"
#include "language/FormCaptions.h"
#include "language/Messages.h"
#include "platform/MessageBoxes.h"
#include "platform/WaitCursor.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <optional>

namespace {

template <class T> T* named(T* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

TfmFindReplace::TfmFindReplace(QWidget* editor, QPlainTextEdit* memo)
    : QDialog(editor), m_editor(editor), m_memo(memo) {
    setObjectName(QStringLiteral("fmFindReplace"));

    // Find: the text, and how to look for it.
    auto* gbFind = new FindGroup(this, QStringLiteral("cbFromTop"));
    m_edtFind = gbFind->findBox();
    m_cbMatchCase = gbFind->matchCase();
    m_cbFromTop = gbFind->secondBox();

    // Replace with.
    auto* gbReplace = named(new QGroupBox(this), "gbReplace");
    m_edtReplace = named(new QLineEdit(gbReplace), "edtReplace");
    m_edtReplace->setMaxLength(FindGroup::kMaxFindLength);
    auto* replaceLayout = new QVBoxLayout(gbReplace);
    replaceLayout->addWidget(m_edtReplace);

    // The buttons down the right-hand side.
    m_btnFind = named(new QPushButton(this), "btnFind");
    m_btnFind->setDefault(true);
    m_btnReplace = named(new QPushButton(this), "btnReplace");
    m_btnReplaceAll = named(new QPushButton(this), "btnReplaceAll");
    m_btnClose = named(new QPushButton(this), "btnClose");
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_btnFind);
    buttons->addWidget(m_btnReplace);
    buttons->addWidget(m_btnReplaceAll);
    buttons->addStretch();
    buttons->addWidget(m_btnClose);

    auto* layout = new QGridLayout(this);
    layout->addWidget(gbFind, 0, 0);
    layout->addWidget(gbReplace, 1, 0);
    layout->addLayout(buttons, 0, 1, 2, 1);
    layout->setColumnStretch(0, 1);
    layout->setRowStretch(2, 1);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_edtFind->setMinimumWidth(fontMetrics().averageCharWidth() * 36);

    connect(m_btnFind, &QPushButton::clicked, this, &TfmFindReplace::btnFindClick);
    connect(m_btnReplace, &QPushButton::clicked, this, &TfmFindReplace::btnReplaceClick);
    connect(m_btnReplaceAll, &QPushButton::clicked, this, &TfmFindReplace::btnReplaceAllClick);
    connect(m_btnClose, &QPushButton::clicked, this, &TfmFindReplace::btnCloseClick);
    ApplyLanguageToFindReplace();
}

void TfmFindReplace::ApplyLanguageToFindReplace() {
    FormCaptions::apply(this);
}

bool TfmFindReplace::matchCase() const {
    return m_cbMatchCase->isChecked();
}

void TfmFindReplace::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TfmFindReplace::FormShow() {
    m_edtFind->setFocus();
    m_edtFind->selectAll();
}

void TfmFindReplace::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && !isActiveWindow())
        FormDeactivate();
}

bool TfmFindReplace::messageBoxUp() {
    // A box closed before its activation arrived leaves a hidden window active for a moment.
    const QWidget* active = QApplication::activeWindow();
    return QApplication::activeModalWidget() || (active && !active->isVisible());
}

void TfmFindReplace::FormDeactivate() {
    // Going back to the text keeps the window, and so does a message box over it (its own, or
    // the editor's); going anywhere else puts it away.
    if (QApplication::activeWindow() != m_editor && !messageBoxUp())
        hide();
}

void TfmFindReplace::comeBack() {
    if (!isVisible())
        return;
    raise();
    activateWindow();
    m_edtFind->setFocus();
}

void TfmFindReplace::startFromTopIfAsked(bool scroll) {
    if (!m_cbFromTop->isChecked())
        return;
    // A one-shot choice: the next search goes on from where this one ends.
    m_cbFromTop->setChecked(false);
    m_memo->moveCursor(QTextCursor::Start);
    if (scroll)
        m_memo->ensureCursorVisible();
}

bool TfmFindReplace::Find(const QString& text, bool interactive) {
    m_editor->raise();
    std::optional<WaitCursor> wait;
    if (interactive)
        wait.emplace();
    startFromTopIfAsked(interactive);
    const QString needle = m_edtFind->text();
    const QTextCursor selection = m_memo->textCursor();
    const int start = selection.selectionEnd();
    const qsizetype at =
        TextFinder::find(m_memo->document()->toRawText(), needle, start, matchCase());
    const bool found = at >= 0;
    if (found) {
        QTextCursor cursor(m_memo->document());
        cursor.setPosition(static_cast<int>(at));
        cursor.setPosition(static_cast<int>(at + needle.size()), QTextCursor::KeepAnchor);
        m_memo->setTextCursor(cursor);
        if (interactive)
            m_memo->ensureCursorVisible();
    } else if (interactive) {
        wait.reset();
        MessageBoxes::information(Messages::text(Messages::NOT_FOUND) + QStringLiteral(" '") +
                                  text + u'\'');
    }
    // Back over the editor, which came to the front.
    if (interactive)
        comeBack();
    return found;
}

void TfmFindReplace::Replace() {
    const QString needle = m_edtFind->text();
    if (needle.isEmpty())
        return;
    m_editor->raise();
    startFromTopIfAsked(true);
    QTextCursor selection = m_memo->textCursor();
    const QString selected = selection.selectedText();
    if (!selected.isEmpty() && TextFinder::same(selected, needle, matchCase())) {
        selection.insertText(m_edtReplace->text());
        m_memo->setTextCursor(selection);
    }
    Find(needle, true);
}

void TfmFindReplace::ReplaceAll() {
    const QString needle = m_edtFind->text();
    if (needle.isEmpty())
        return;
    m_editor->raise();
    if (MessageBoxes::current().show(MessageBoxes::Kind::Information,
                                     Messages::text(Messages::REPLACE_ALL),
                                     MessageBoxes::Buttons::OkCancel) != MessageBoxes::Answer::Ok) {
        comeBack();
        return;
    }
    if (!Find(needle, true))
        return;
    const WaitCursor wait;
    // Each occurrence from the one found to the end, the search going on after each
    // replacement: the same as replacing one by one, in one edit and one repaint.
    QTextDocument* document = m_memo->document();
    const QList<qsizetype> found = TextFinder::findAll(
        document->toRawText(), needle, m_memo->textCursor().selectionStart(), matchCase());
    const QString replacement = m_edtReplace->text();
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    for (auto at = found.crbegin(); at != found.crend(); ++at) {
        cursor.setPosition(static_cast<int>(*at));
        cursor.setPosition(static_cast<int>(*at + needle.size()), QTextCursor::KeepAnchor);
        cursor.insertText(replacement);
    }
    cursor.endEditBlock();
    const qsizetype end = found.last() + (found.size() - 1) * (replacement.size() - needle.size()) +
                          replacement.size();
    QTextCursor caret(document);
    caret.setPosition(static_cast<int>(end));
    m_memo->setTextCursor(caret);
    m_memo->ensureCursorVisible();
    comeBack();
}

void TfmFindReplace::btnFindClick() {
    if (!m_edtFind->text().isEmpty())
        Find(m_edtFind->text(), true);
}

void TfmFindReplace::btnReplaceClick() {
    Replace();
}

void TfmFindReplace::btnReplaceAllClick() {
    ReplaceAll();
}

void TfmFindReplace::btnCloseClick() {
    hide();
}

#include "editor/LiveSheetText.h"

#include "editor/MemoEdit.h"
#include "editor/SheetText.h"
#include "editor/TfmEditor.h"
#include "language/Messages.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

LiveSheetText::LiveSheetText(QString projectFolder, QString sheetName, TfmEditor* editor)
    : m_projectFolder(std::move(projectFolder)), m_sheetName(std::move(sheetName)),
      m_editor(editor) {}

std::optional<QString> LiveSheetText::read() const {
    if (m_editor)
        return MemoEdit::textOf(m_editor->memo()->document());
    const QString path = SheetText::pathOf(m_projectFolder, m_sheetName);
    if (!SheetText(path).exists())
        return QString();
    return SheetText::read(path);
}

bool LiveSheetText::write(const QString& text) {
    if (!m_editor)
        return SheetText::write(SheetText::pathOf(m_projectFolder, m_sheetName), text);
    QPlainTextEdit* memo = m_editor->memo();
    if (memo->isReadOnly())
        return false;
    // The memo keeps one break per line; only what differs is replaced, as one step of undo, so
    // the caret and the view stay where the writer left them.
    QString wanted = text;
    wanted.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    const QString current = MemoEdit::textOf(memo->document());
    qsizetype head = 0;
    while (head < current.size() && head < wanted.size() && current[head] == wanted[head])
        ++head;
    qsizetype tail = 0;
    while (tail < current.size() - head && tail < wanted.size() - head &&
           current[current.size() - 1 - tail] == wanted[wanted.size() - 1 - tail])
        ++tail;
    if (head == current.size() && head == wanted.size())
        return true;
    QTextCursor cursor(memo->document());
    cursor.beginEditBlock();
    cursor.setPosition(int(head));
    cursor.setPosition(int(current.size() - tail), QTextCursor::KeepAnchor);
    cursor.insertText(wanted.sliced(head, wanted.size() - tail - head));
    cursor.endEditBlock();
    m_editor->UpdateEditorState();
    return true;
}

LiveSheetText::Taken LiveSheetText::snapshot() const {
    const std::optional<QString> text = read();
    if (!text)
        return Taken::Failed;
    if (text->isEmpty())
        return Taken::NothingToKeep;
    return store().take(m_sheetName, *text) ? Taken::Snapshot : Taken::Failed;
}

QString LiveSheetText::said(Taken taken) const {
    switch (taken) {
    case Taken::Snapshot:
        return Messages::text(Messages::SNAPSHOT_TAKEN) + QStringLiteral(" '") + m_sheetName +
               u'\'';
    case Taken::NothingToKeep:
        return Messages::text(Messages::SNAPSHOT_EMPTY);
    case Taken::Failed:
        break;
    }
    return Messages::text(Messages::CANNOT_WRITE_FILE);
}

bool LiveSheetText::restore(const QString& snapshotPath) {
    const std::optional<QString> snapshot = SnapshotStore::read(snapshotPath);
    if (!snapshot || !takeSnapshot())
        return false;
    return write(*snapshot);
}

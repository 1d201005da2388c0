#include "editor/WordDiffView.h"

#include "editor/WordDiff.h"
#include "platform/WaitCursor.h"

#include <QTextCursor>
#include <QTextEdit>

void WordDiffView::show(QTextEdit* view, QString before, QString after) {
    before.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    after.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const WaitCursor wait;
    view->clear();
    QTextCursor cursor(view->document());
    QTextCharFormat same;
    QTextCharFormat removed;
    removed.setForeground(QColor(0xb0, 0x00, 0x20));
    removed.setBackground(QColor(0xfd, 0xe4, 0xe6));
    removed.setFontStrikeOut(true);
    QTextCharFormat added;
    added.setForeground(QColor(0x00, 0x6a, 0x2e));
    added.setBackground(QColor(0xe2, 0xf5, 0xe6));
    added.setFontUnderline(true);
    cursor.beginEditBlock();
    for (const WordDiff::Piece& piece : WordDiff::forReading(WordDiff::compare(before, after)))
        cursor.insertText(piece.text, piece.kind == WordDiff::Kind::Same      ? same
                                      : piece.kind == WordDiff::Kind::Removed ? removed
                                                                              : added);
    cursor.endEditBlock();
    view->moveCursor(QTextCursor::Start);
}

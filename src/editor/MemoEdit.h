#pragma once

#include <QPlainTextEdit>
#include <QStringList>

class QMimeData;
class QTextDocument;

// The editor's memo: a plain-text edit whose text keeps a margin of 12 pixels left and right
// and 4 above and below, with a tab stop every 25 pixels. Files dropped on it are handed on,
// not pasted in as their names, and F3 is reported even while Repeat Find is disabled.
class MemoEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit MemoEdit(QWidget* parent = nullptr);

    // The local files dropped, as paths.
    static QStringList localFiles(const QMimeData* mime);
    // The text as the writer typed it, every character kept: toPlainText() turns no-break spaces
    // into blanks. Paragraph and line separators (Shift+Enter makes the latter) become "\n".
    // Everything that reads an open editor's text (saving, counting, printing, snapshots,
    // compiling, searching, exporting) goes through here, so a text counts and saves the same
    // open and closed.
    static QString textOf(const QTextDocument* document);
    QString text() const { return textOf(document()); }

Q_SIGNALS:
    void filesDropped(const QStringList& paths);
    void repeatFindPressed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};

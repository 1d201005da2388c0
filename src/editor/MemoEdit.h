#pragma once

#include <QPlainTextEdit>
#include <QStringList>

class QMimeData;

// The editor's memo: a plain-text edit whose text keeps a margin of 12 pixels left and right
// and 4 above and below, with a tab stop every 25 pixels. Files dropped on it are handed on,
// not pasted in as their names, and F3 is reported even while Repeat Find is disabled.
class MemoEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit MemoEdit(QWidget* parent = nullptr);

    // The local files dropped, as paths.
    static QStringList localFiles(const QMimeData* mime);

Q_SIGNALS:
    void filesDropped(const QStringList& paths);
    void repeatFindPressed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};

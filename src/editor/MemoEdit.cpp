#include "editor/MemoEdit.h"

#include <QDragEnterEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextDocument>

namespace {

constexpr int kTabStop = 25;
// The document itself keeps 4 pixels on every side; the viewport adds the rest at the sides.
constexpr int kTextMargin = 4;
constexpr int kSideMargin = 12 - kTextMargin;

} // namespace

QStringList MemoEdit::localFiles(const QMimeData* mime) {
    QStringList paths;
    if (mime && mime->hasUrls())
        for (const QUrl& url : mime->urls())
            if (url.isLocalFile())
                paths << url.toLocalFile();
    return paths;
}

QString MemoEdit::textOf(const QTextDocument* document) {
    QString text = document->toRawText();
    for (QChar& c : text)
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator)
            c = u'\n';
    return text;
}

MemoEdit::MemoEdit(QWidget* parent) : QPlainTextEdit(parent) {
    setObjectName(QStringLiteral("memEditor"));
    // The page fills the window between the menus and the status bar.
    setFrameShape(QFrame::NoFrame);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(false);
    setTabStopDistance(kTabStop);
    document()->setDocumentMargin(kTextMargin);
    setViewportMargins(kSideMargin, 0, kSideMargin, 0);
    // The side margins are painted like the page, not like the window around it.
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

void MemoEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F3 && event->modifiers() == Qt::NoModifier) {
        event->accept();
        Q_EMIT repeatFindPressed();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void MemoEdit::dragEnterEvent(QDragEnterEvent* event) {
    if (!localFiles(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
        return;
    }
    QPlainTextEdit::dragEnterEvent(event);
}

void MemoEdit::dragMoveEvent(QDragMoveEvent* event) {
    if (!localFiles(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
        return;
    }
    QPlainTextEdit::dragMoveEvent(event);
}

void MemoEdit::dropEvent(QDropEvent* event) {
    const QStringList paths = localFiles(event->mimeData());
    if (paths.isEmpty()) {
        QPlainTextEdit::dropEvent(event);
        return;
    }
    event->acceptProposedAction();
    Q_EMIT filesDropped(paths);
}

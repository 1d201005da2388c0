#include "desk/DescriptionEdit.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QTextCursor>

DescriptionEdit::DescriptionEdit(QWidget* parent) : QPlainTextEdit(parent) {
    setTabChangesFocus(true);
}

QSize DescriptionEdit::sizeHint() const {
    constexpr int kLines = 5;
    const QMargins margins = contentsMargins();
    const int height = fontMetrics().lineSpacing() * kLines +
                       2 * static_cast<int>(document()->documentMargin()) + margins.top() +
                       margins.bottom();
    return {QPlainTextEdit::sizeHint().width(), height};
}

int DescriptionEdit::room() const {
    const QTextCursor cursor = textCursor();
    const int length = document()->characterCount() - 1;
    return m_maxLength - (length - (cursor.selectionEnd() - cursor.selectionStart()));
}

void DescriptionEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // Left to the dialog, whose default button takes it.
        event->ignore();
        return;
    }
    const QString text = event->text();
    if (!text.isEmpty() && text.front().isPrint() && room() < text.size()) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void DescriptionEdit::insertFromMimeData(const QMimeData* source) {
    if (!source->hasText())
        return;
    const int room = std::max(0, this->room());
    insertPlainText(source->text().left(room));
}

#include "spellui/TPlainTextEditParser.h"

#include "spellui/CodePageText.h"

#include <QPlainTextEdit>
#include <QTextBlock>

#include <algorithm>

TPlainTextEditParser::TPlainTextEditParser(QPlainTextEdit* memo) : m_memo(memo) {}

std::string TPlainTextEditParser::lineBytes(const QString& text) {
    int length = std::min<int>(static_cast<int>(text.size()), kMaxLineLength);
    // A word the cap would cut is left out whole rather than checked as a fragment.
    const auto inWord = [&](int i) {
        return text.at(i).isLetterOrNumber() || text.at(i) == u'\'' || text.at(i) == u'\u2019';
    };
    if (length < text.size() && inWord(length))
        while (length > 0 && inWord(length - 1))
            --length;
    return CodePageText::toBytes(text.left(length));
}

int TPlainTextEditParser::lineCount() const {
    return m_memo ? m_memo->document()->blockCount() : 0;
}

void TPlainTextEditParser::load(int line) {
    const int revision = m_memo ? m_memo->document()->revision() : -1;
    if (line == m_bufferLine && revision == m_revision)
        return;
    m_bufferLine = line;
    m_revision = revision;
    m_buffer.clear();
    if (!m_memo || line < 0 || line >= lineCount())
        return;
    m_buffer = lineBytes(m_memo->document()->findBlockByNumber(line).text());
    m_buffer += "\r\n";
}

int TPlainTextEditParser::limit() const {
    int end = static_cast<int>(m_buffer.size());
    if (m_end && m_end->line == m_line)
        end = std::min(end, m_end->column);
    return end;
}

bool TPlainTextEditParser::atEnd() const {
    if (m_line >= lineCount())
        return true;
    if (m_end && (m_line > m_end->line || (m_line == m_end->line && m_column >= m_end->column)))
        return true;
    return m_column >= static_cast<int>(m_buffer.size());
}

unsigned char TPlainTextEditParser::CurrentChar() {
    load(m_line);
    return atEnd() ? 0 : static_cast<unsigned char>(m_buffer[static_cast<std::size_t>(m_column)]);
}

bool TPlainTextEditParser::Advance() {
    load(m_line);
    if (atEnd())
        return false;
    ++m_column;
    if (m_column >= static_cast<int>(m_buffer.size())) {
        m_column = 0;
        ++m_line;
        load(m_line);
    }
    // On failure the position stays on the end, where the next range begins.
    return !atEnd();
}

bool TPlainTextEditParser::StepBack() {
    if (m_column > 0) {
        --m_column;
        return true;
    }
    if (m_line <= 0)
        return false;
    --m_line;
    load(m_line);
    m_column = std::max(0, static_cast<int>(m_buffer.size()) - 1);
    return true;
}

std::string_view TPlainTextEditParser::Peek() {
    load(m_line);
    if (atEnd())
        return {};
    const int end = limit();
    return std::string_view(m_buffer).substr(static_cast<std::size_t>(m_column),
                                             static_cast<std::size_t>(end - m_column));
}

void TPlainTextEditParser::Skip(std::size_t count) {
    // Within the run Peek gave; its last character is the line break, so a whole run ends on
    // the next line's start.
    const std::size_t run = Peek().size();
    if (count == 0 || run == 0)
        return;
    if (count >= run) {
        m_column += static_cast<int>(run) - 1;
        Advance();
    } else {
        m_column += static_cast<int>(count);
    }
}

std::string TPlainTextEditParser::CurrentLine() {
    load(m_line);
    return m_buffer.size() >= 2 ? m_buffer.substr(0, m_buffer.size() - 2) : std::string();
}

void TPlainTextEditParser::SetPosition(Position position) {
    m_line = std::clamp(position.line, 0, std::max(lineCount(), 0));
    load(m_line);
    m_column = std::clamp(position.column, 0, static_cast<int>(m_buffer.size()));
}

void TPlainTextEditParser::SetEndPosition(std::optional<Position> end) {
    m_end = end;
}

TPlainTextEditParser::Position TPlainTextEditParser::GetPosition() {
    return {m_column, m_line};
}

TPlainTextEditParser::Position TPlainTextEditParser::positionOf(int documentPosition) const {
    const QTextBlock block = m_memo->document()->findBlock(documentPosition);
    return {documentPosition - block.position(), block.blockNumber()};
}

int TPlainTextEditParser::documentPosition(const Position& p) const {
    const QTextBlock block = m_memo->document()->findBlockByNumber(p.line);
    if (!block.isValid())
        return m_memo->document()->characterCount() - 1;
    return block.position() + std::clamp(p.column, 0, static_cast<int>(block.length()) - 1);
}

void TPlainTextEditParser::SelectWord(int length) {
    if (!m_memo)
        return;
    m_selEnd = documentPosition({m_column, m_line});
    m_selStart = std::max(0, m_selEnd - std::max(length, 0));
    QTextCursor cursor = m_memo->textCursor();
    cursor.setPosition(m_selStart);
    cursor.setPosition(m_selEnd, QTextCursor::KeepAnchor);
    m_memo->setTextCursor(cursor);
}

void TPlainTextEditParser::ReplaceSelection(std::string_view text) {
    if (!m_memo)
        return;
    const Position start = positionOf(m_selStart);
    const int removed = m_selEnd - m_selStart;
    const QString replacement = CodePageText::fromBytes(text);
    QTextCursor cursor = m_memo->textCursor();
    cursor.setPosition(m_selStart);
    cursor.setPosition(m_selEnd, QTextCursor::KeepAnchor);
    cursor.insertText(replacement);
    m_memo->setTextCursor(cursor);
    const int added = static_cast<int>(replacement.size());
    if (m_end && m_end->line == start.line && m_end->column >= start.column + removed)
        m_end->column += added - removed;
    m_selEnd = m_selStart + added;
    SetPosition({start.column + added, start.line});
}

std::pair<TPlainTextEditParser::Position, TPlainTextEditParser::Position>
TPlainTextEditParser::GetSelection() {
    if (!m_memo)
        return {};
    const QTextCursor cursor = m_memo->textCursor();
    return {positionOf(cursor.selectionStart()), positionOf(cursor.selectionEnd())};
}

TPlainTextEditParser::Position TPlainTextEditParser::GetCursorPosition() {
    if (!m_memo)
        return {};
    return positionOf(m_memo->textCursor().position());
}

TPlainTextEditParser::ScreenRect TPlainTextEditParser::SelectionRect() {
    if (!m_memo)
        return {};
    QTextCursor cursor = m_memo->textCursor();
    QTextCursor from = cursor;
    from.setPosition(cursor.selectionStart());
    QTextCursor to = cursor;
    to.setPosition(cursor.selectionEnd());
    QRect r = m_memo->cursorRect(from).united(m_memo->cursorRect(to));
    r.moveTopLeft(m_memo->viewport()->mapToGlobal(r.topLeft()));
    return {r.left(), r.top(), r.right(), r.bottom()};
}

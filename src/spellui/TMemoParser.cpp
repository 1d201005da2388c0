#include "spellui/TMemoParser.h"

#include "spellui/CodePageText.h"

#include <QPlainTextEdit>
#include <QTextBlock>

#include <algorithm>
#include <climits>

TMemoParser::TMemoParser(QPlainTextEdit* memo) : memo_(memo) {
    changed_ = QObject::connect(memo_->document(), &QTextDocument::contentsChanged, memo_,
                                [this] { bufferedLine_ = -1; });
}

TMemoParser::~TMemoParser() {
    QObject::disconnect(changed_);
}

int TMemoParser::LineCount() const {
    return memo_->document()->blockCount();
}

const std::string& TMemoParser::Line(int line) {
    if (line != bufferedLine_) {
        buffer_ = CodePageText::toBytes(memo_->document()->findBlockByNumber(line).text());
        buffer_ += "\r\n";
        bufferedLine_ = line;
    }
    return buffer_;
}

int TMemoParser::Limit(int line) {
    if (line >= LineCount() || (end_ && end_->line < line))
        return 0;
    const int size = static_cast<int>(Line(line).size());
    return end_ && end_->line == line ? std::min(end_->column, size) : size;
}

bool TMemoParser::AtEnd() {
    return pos_.column >= Limit(pos_.line);
}

TMemoParser::Position TMemoParser::Clamped(Position p) {
    if (p.line < 0)
        return {};
    if (p.line >= LineCount())
        return {0, LineCount()};
    return {std::clamp(p.column, 0, static_cast<int>(Line(p.line).size()) - 1), p.line};
}

unsigned char TMemoParser::CurrentChar() {
    return AtEnd() ? 0 : static_cast<unsigned char>(Line(pos_.line)[pos_.column]);
}

bool TMemoParser::Advance() {
    if (AtEnd())
        return false;
    if (++pos_.column >= static_cast<int>(Line(pos_.line).size()))
        pos_ = {0, pos_.line + 1};
    return !AtEnd();
}

bool TMemoParser::StepBack() {
    if (pos_.line <= 0 && pos_.column <= 0)
        return false;
    if (pos_.column > 0 && pos_.line < LineCount())
        --pos_.column;
    else
        pos_ = Clamped({INT_MAX, std::min(pos_.line, LineCount()) - 1});
    return true;
}

std::string_view TMemoParser::Peek() {
    if (AtEnd())
        return {};
    const std::string& line = Line(pos_.line);
    return std::string_view(line).substr(static_cast<std::size_t>(pos_.column),
                                         static_cast<std::size_t>(Limit(pos_.line) - pos_.column));
}

void TMemoParser::Skip(std::size_t count) {
    while (count > 0 && !AtEnd()) {
        const auto step = std::min(count, static_cast<std::size_t>(Limit(pos_.line) - pos_.column));
        count -= step;
        pos_.column += static_cast<int>(step);
        if (pos_.column >= static_cast<int>(Line(pos_.line).size()))
            pos_ = {0, pos_.line + 1};
    }
}

std::string TMemoParser::CurrentLine() {
    if (pos_.line >= LineCount())
        return {};
    const std::string& line = Line(pos_.line);
    return line.substr(0, line.size() - 2);
}

void TMemoParser::SetPosition(Position position) {
    pos_ = Clamped(position);
}

void TMemoParser::SetEndPosition(std::optional<Position> end) {
    end_ = end ? std::optional(Clamped(*end)) : std::nullopt;
}

TMemoParser::Position TMemoParser::GetPosition() {
    return pos_;
}

int TMemoParser::DocumentIndex(Position p) const {
    const QTextDocument* document = memo_->document();
    if (p.line >= LineCount())
        return document->characterCount() - 1;
    const QTextBlock block = document->findBlockByNumber(p.line);
    return block.position() + std::min(p.column, block.length() - 1);
}

TMemoParser::Position TMemoParser::FromDocumentIndex(int index) const {
    const QTextBlock block = memo_->document()->findBlock(index);
    return {index - block.position(), block.blockNumber()};
}

void TMemoParser::SelectWord(int length) {
    // Words never run over a line break.
    selEnd_ = pos_;
    selStart_ = {std::max(0, pos_.column - std::max(length, 0)), pos_.line};
    QTextCursor cursor = memo_->textCursor();
    cursor.setPosition(DocumentIndex(selStart_));
    cursor.setPosition(DocumentIndex(selEnd_), QTextCursor::KeepAnchor);
    memo_->setTextCursor(cursor);
}

void TMemoParser::ReplaceSelection(std::string_view text) {
    const QString replacement = CodePageText::fromBytes(text);
    QTextCursor cursor = memo_->textCursor();
    cursor.setPosition(DocumentIndex(selStart_));
    cursor.setPosition(DocumentIndex(selEnd_), QTextCursor::KeepAnchor);
    const int removed = cursor.selectionEnd() - cursor.selectionStart();
    cursor.insertText(replacement);
    memo_->setTextCursor(cursor);
    const int change = static_cast<int>(replacement.size()) - removed;
    if (end_ && end_->line == selEnd_.line && end_->column >= selEnd_.column)
        end_->column += change;
    pos_ = {selStart_.column + static_cast<int>(replacement.size()), selStart_.line};
    selEnd_ = pos_;
    bufferedLine_ = -1;
}

std::pair<TMemoParser::Position, TMemoParser::Position> TMemoParser::GetSelection() {
    const QTextCursor cursor = memo_->textCursor();
    return {FromDocumentIndex(cursor.selectionStart()), FromDocumentIndex(cursor.selectionEnd())};
}

TMemoParser::Position TMemoParser::GetCursorPosition() {
    return FromDocumentIndex(memo_->textCursor().selectionStart());
}

TMemoParser::ScreenRect TMemoParser::SelectionRect() {
    const QTextCursor selection = memo_->textCursor();
    QTextCursor start(memo_->document()), end(memo_->document());
    start.setPosition(selection.selectionStart());
    end.setPosition(selection.selectionEnd());
    const QRect rect = memo_->cursorRect(start).united(memo_->cursorRect(end));
    const QPoint topLeft = memo_->viewport()->mapToGlobal(rect.topLeft());
    return {topLeft.x(), topLeft.y(), topLeft.x() + rect.width(), topLeft.y() + rect.height()};
}

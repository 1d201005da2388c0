#include "spelling/TStringParser.h"

#include <algorithm>

namespace kerfa::spelling {

namespace {

bool isBreak(char c) {
    return c == '\r' || c == '\n';
}

} // namespace

TStringParser::TStringParser(std::string text) : text_(std::move(text)) {
    UpdateLimit();
}

void TStringParser::SetText(std::string text) {
    text_ = std::move(text);
    pos_ = selStart_ = selEnd_ = 1;
    end_.reset();
    UpdateLimit();
}

void TStringParser::UpdateLimit() {
    limit_ = end_ ? std::min(*end_, text_.size() + 1) : text_.size() + 1;
}

std::size_t TStringParser::Clamp(long long index) const {
    return static_cast<std::size_t>(std::clamp<long long>(index, 1, (long long)text_.size() + 1));
}

void TStringParser::SetSelection(std::size_t start, std::size_t end) {
    selStart_ = Clamp(static_cast<long long>(start));
    selEnd_ = std::max(selStart_, Clamp(static_cast<long long>(end)));
}

unsigned char TStringParser::CurrentChar() {
    return pos_ < limit_ ? static_cast<unsigned char>(text_[pos_ - 1]) : 0;
}

bool TStringParser::Advance() {
    if (pos_ >= limit_)
        return false;
    return ++pos_ < limit_;
}

bool TStringParser::StepBack() {
    if (pos_ <= 1)
        return false;
    --pos_;
    return true;
}

std::string_view TStringParser::Peek() {
    return pos_ < limit_ ? std::string_view(text_.data() + pos_ - 1, limit_ - pos_)
                         : std::string_view{};
}

void TStringParser::Skip(std::size_t count) {
    pos_ = std::min(pos_ + count, limit_);
}

std::string TStringParser::CurrentLine() {
    std::size_t start = std::min(pos_ - 1, text_.size());
    while (start > 0 && !isBreak(text_[start - 1]))
        --start;
    std::size_t end = start;
    while (end < text_.size() && !isBreak(text_[end]))
        ++end;
    return text_.substr(start, end - start);
}

void TStringParser::SetPosition(Position position) {
    pos_ = Clamp(position.column);
}

void TStringParser::SetEndPosition(std::optional<Position> end) {
    if (end)
        end_ = Clamp(end->column);
    else
        end_.reset();
    UpdateLimit();
}

TControlParser::Position TStringParser::GetPosition() {
    return {static_cast<int>(pos_), 0};
}

void TStringParser::SelectWord(int length) {
    selEnd_ = pos_;
    // Length 0 puts the cursor at the position.
    selStart_ =
        pos_ - std::min<std::size_t>(static_cast<std::size_t>(std::max(length, 0)), pos_ - 1);
}

void TStringParser::ReplaceSelection(std::string_view text) {
    const std::size_t removed = selEnd_ - selStart_;
    text_.replace(selStart_ - 1, removed, text);
    if (end_ && *end_ >= selEnd_)
        end_ = *end_ + text.size() - removed;
    UpdateLimit();
    selEnd_ = selStart_ + text.size();
    pos_ = selEnd_;
}

std::pair<TControlParser::Position, TControlParser::Position> TStringParser::GetSelection() {
    return {{static_cast<int>(selStart_), 0}, {static_cast<int>(selEnd_), 0}};
}

TControlParser::Position TStringParser::GetCursorPosition() {
    return {static_cast<int>(selStart_), 0};
}

} // namespace kerfa::spelling

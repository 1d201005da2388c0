#pragma once
// TStringParser: the text adapter over a string the parser owns (checking a piece of text that
// is not in a control). The position is a 1-based index in `column`; replacing a word shifts
// the end position by the change in length.

#include "spelling/TControlParser.h"

#include <cstddef>

namespace kerfa::spelling {

class TStringParser final : public TControlParser {
public:
    explicit TStringParser(std::string text = {});

    const std::string& Text() const { return text_; }
    void SetText(std::string text);
    // The selection (and cursor, at its start) as 1-based indexes, end exclusive.
    void SetSelection(std::size_t start, std::size_t end);

    unsigned char CurrentChar() override;
    bool Advance() override;
    bool StepBack() override;
    std::string_view Peek() override;
    void Skip(std::size_t count) override;
    std::string CurrentLine() override;
    void SetPosition(Position position) override;
    void SetEndPosition(std::optional<Position> end) override;
    Position GetPosition() override;
    void SelectWord(int length) override;
    void ReplaceSelection(std::string_view text) override;
    std::pair<Position, Position> GetSelection() override;
    Position GetCursorPosition() override;

private:
    // One past the last readable index: the end of the text or the end position.
    void UpdateLimit();
    std::size_t Clamp(long long index) const;

    std::string text_;
    std::size_t pos_ = 1;
    std::optional<std::size_t> end_;
    std::size_t selStart_ = 1;
    std::size_t selEnd_ = 1;
    std::size_t limit_ = 1;
};

} // namespace kerfa::spelling

#pragma once
// TControlParser: the text adapter through which the spelling engine reads and changes the text
// of one control or string, a character at a time. The parsing engine walks it; the editor's
// adapter and TStringParser implement it.
//
// Characters are bytes in the dictionary's code page. The position is a (column, line) pair for
// controls and a 1-based character index (in `column`, line 0) for strings; Position{} is always
// the start of the text. An optional end position ends the stream early.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace kerfa::spelling {

class TControlParser {
public:
    struct Position {
        int column = 0;
        int line = 0;
        bool operator==(const Position&) const = default;
    };
    struct ScreenRect {
        int left = 0, top = 0, right = 0, bottom = 0;
    };

    virtual ~TControlParser() = default;

    // The character at the position; 0 at the end of the stream.
    virtual unsigned char CurrentChar() = 0;
    // Moves to the next character; false when that lies at or past the end. At the end it
    // does not move.
    virtual bool Advance() = 0;
    // Moves to the previous character; false (without moving) at the start.
    virtual bool StepBack() = 0;
    // The characters from the position on that can be read in one piece (the rest of the
    // buffered line, never past the end position), so that the parser need not make a call per
    // character; empty when the adapter has no such buffer. Skip moves over up to that many.
    virtual std::string_view Peek() { return {}; }
    virtual void Skip(std::size_t count) {
        while (count-- > 0 && Advance()) {
        }
    }
    // The text of the line holding the position, without its line break.
    virtual std::string CurrentLine() = 0;
    virtual void SetPosition(Position position) = 0;
    virtual void SetEndPosition(std::optional<Position> end) = 0;
    virtual Position GetPosition() = 0;
    // Selects the `length` characters that end at the position.
    virtual void SelectWord(int length) = 0;
    // Replaces the selection, leaving the position after the new text and moving the end
    // position by the change in length.
    virtual void ReplaceSelection(std::string_view text) = 0;
    virtual std::pair<Position, Position> GetSelection() = 0;
    virtual Position GetCursorPosition() = 0;
    // Where the selection is on screen, so that dialogs can keep clear of it.
    virtual ScreenRect SelectionRect() { return {}; }
};

} // namespace kerfa::spelling

#pragma once
// TMemoParser: the text adapter over the editor's memo (a QPlainTextEdit), through which the
// parsing engine reads the text a character at a time and the thesaurus and the spelling check
// select and replace words.
//
// A position is (column, line): the line is the memo's paragraph (text block) and the column a
// 0-based UTF-16 index in it. Every line, the last included, is followed by CR LF in the
// character stream, so the last word of the text is always terminated. Characters are one
// Windows-1252 byte per UTF-16 unit (CodePageText::toBytes), so columns stay aligned with the
// memo's. A change of the memo's text between calls is seen at the next read.

#include "spelling/TControlParser.h"

#include <QMetaObject>

#include <optional>
#include <string>

class QPlainTextEdit;

class TMemoParser final : public kerfa::spelling::TControlParser {
public:
    explicit TMemoParser(QPlainTextEdit* memo);
    ~TMemoParser() override;
    TMemoParser(const TMemoParser&) = delete;
    TMemoParser& operator=(const TMemoParser&) = delete;

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
    ScreenRect SelectionRect() override;

private:
    int LineCount() const;
    // The line's characters followed by CR LF.
    const std::string& Line(int line);
    // How many characters of a line can be read: all, or up to the end position.
    int Limit(int line);
    bool AtEnd();
    Position Clamped(Position position);
    int DocumentIndex(Position position) const;
    Position FromDocumentIndex(int index) const;

    QPlainTextEdit* memo_;
    QMetaObject::Connection changed_;
    Position pos_;
    std::optional<Position> end_;
    int bufferedLine_ = -1;
    std::string buffer_;
    Position selStart_;
    Position selEnd_;
};

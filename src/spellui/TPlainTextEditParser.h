#pragma once

#include "spelling/TControlParser.h"

#include <QPointer>
#include <QString>
#include <string>

class QPlainTextEdit;

// The spelling checker's view of the editor's memo. Positions are (column, line) with lines
// being the memo's paragraphs. Each line reads as one byte per UTF-16 unit of its text in the
// dictionary's code page (Windows-1252), so that columns stay those of the memo; a character
// the code page lacks reads as a byte that is never part of a word. A line is read up to
// 16,374 characters (less a word the cap would cut) and always followed by CR LF, so the last
// word of the memo is terminated.
class TPlainTextEditParser final : public kerfa::spelling::TControlParser {
public:
    static constexpr int kMaxLineLength = 16374;

    explicit TPlainTextEditParser(QPlainTextEdit* memo);

    QPlainTextEdit* memo() const { return m_memo; }

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

    // The line's text as the checker reads it.
    static std::string lineBytes(const QString& text);

private:
    int lineCount() const;
    // Reads the line into the buffer when another line, or a changed text, is asked for.
    void load(int line);
    // One past the last readable column of the buffered line.
    int limit() const;
    bool atEnd() const;
    Position positionOf(int documentPosition) const;
    int documentPosition(const Position& p) const;

    QPointer<QPlainTextEdit> m_memo;
    int m_column = 0;
    int m_line = 0;
    std::optional<Position> m_end;
    std::string m_buffer; // the line's bytes and CR LF
    int m_bufferLine = -1;
    int m_revision = -1;
    int m_selStart = 0; // document positions of the selected word
    int m_selEnd = 0;
};

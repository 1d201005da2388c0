#pragma once
// TMainParsingEngine: turns the character stream of a text adapter into words. Word characters
// come from a set of bytes; a few fixed rules handle periods inside abbreviations (e.g., U.S.A.),
// quotes and periods after a word, and apostrophes (don't; in French mode l'homme is two words
// but aujourd'hui one). Two hooks let the ignore rules jump over markup before a word and
// swallow an internet address after one.

#include "spelling/TControlParser.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace kerfa::spelling {

class TMainParsingEngine {
public:
    // Where Start begins and ends the walk.
    enum StartMode : int {
        smSelection = 0,  // from the word holding the selection start to the selection end
        smFromCursor = 1, // from the word holding the cursor to the end
        smWholeText = 2,  // the whole text
        smRangeAsSet = 4, // the adapter's position and end as they are
    };
    // Offered each character while skipping to a word; true when the hook consumed a construct
    // (the adapter then stands on its last character).
    using CharHook = std::function<bool(unsigned char ch, TControlParser& adapter)>;
    // Offered each word with the adapter right after it; true when the hook swallowed what
    // follows, which discards the word.
    using WordHook = std::function<bool(const std::string& word, TControlParser& adapter)>;

    TMainParsingEngine();

    // The word characters, the characters that may not stand inside a word, and French
    // apostrophes (which make the apostrophe end a word, except in aujourd'hui and entr').
    void SetCharSet(std::string_view chars);
    void SetMidForbidden(std::string_view chars);
    void SetFrenchApostrophes(bool on);
    bool FrenchApostrophes() const { return french_; }
    void SetAllowInnerPeriods(bool on) { allowInnerPeriods_ = on; }
    // A word that runs into the end of the stream is dropped unless this is set, because the
    // end position may cut it short.
    void SetKeepUnterminatedLastWord(bool on) { keepUnterminated_ = on; }

    void SetCharHook(CharHook hook) { charHook_ = std::move(hook); }
    void SetWordHook(WordHook hook) { wordHook_ = std::move(hook); }

    void Start(TControlParser& adapter, int mode);
    // Sets the position, then steps back to the first character of the word there.
    void MoveTo(TControlParser::Position position);
    // The next word, with the adapter right after it; empty at the end of the text.
    const std::string& NextWord();
    const std::string& CurrentWord() const { return word_; }

    bool CanStart(unsigned char ch) const { return (flags_[ch] & kStart) != 0; }
    bool CanContinue(unsigned char ch) const { return (flags_[ch] & kMiddle) != 0; }
    bool IsTrailing(unsigned char ch) const { return (flags_[ch] & kTrailing) != 0; }

private:
    static constexpr std::uint8_t kStart = 1, kMiddle = 2, kTrailing = 4;
    using ByteSet = std::array<bool, 256>;

    void RebuildTables();
    bool IsFrenchElision() const;
    // Finds a word that lies inside the adapter's current run and ends at a plain separator;
    // otherwise leaves the adapter on the next word's first character (or the run's end).
    bool FastWord(TControlParser& text);
    // Trims trailing quotes and periods and offers the word to the word hook; false when the
    // hook swallowed it.
    bool FinishWord(TControlParser& text, bool innerPeriod);

    TControlParser* adapter_ = nullptr;
    ByteSet wordChars_{};
    ByteSet startForbidden_{};
    ByteSet trailing_{};
    ByteSet midForbidden_{};
    std::array<std::uint8_t, 256> flags_{};
    bool allowInnerPeriods_ = true;
    bool keepUnterminated_ = false;
    bool french_ = false;
    std::string word_;
    CharHook charHook_;
    WordHook wordHook_;
};

} // namespace kerfa::spelling

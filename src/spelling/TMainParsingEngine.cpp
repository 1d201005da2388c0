#include "spelling/TMainParsingEngine.h"

#include "common/Cp1252.h"

namespace kerfa::spelling {

namespace {

constexpr unsigned char kApostrophe = '\'';
constexpr unsigned char kRightQuote = 146; // typographic apostrophe and closing single quote

// Letters of Windows-1252 and its neighbouring code pages that are not in a-z, A-Z or 192-255.
constexpr unsigned char kExtraLetters[] = {146, 184, 168, 154, 157, 158, 138, 141, 142,
                                           156, 185, 179, 191, 159, 165, 163, 140, 175,
                                           143, 178, 162, 177, 161, 188, 172, 182, 166};

void assign(std::array<bool, 256>& set, std::string_view chars) {
    set.fill(false);
    for (const char c : chars)
        set[static_cast<unsigned char>(c)] = true;
}

} // namespace

TMainParsingEngine::TMainParsingEngine() {
    for (int c = '0'; c <= '9'; ++c)
        wordChars_[c] = true;
    for (int c = 'a'; c <= 'z'; ++c)
        wordChars_[c] = wordChars_[c - 'a' + 'A'] = true;
    for (int c = 192; c <= 255; ++c)
        wordChars_[c] = true;
    for (const unsigned char c : kExtraLetters)
        wordChars_[c] = true;
    wordChars_['&'] = wordChars_[kApostrophe] = true;
    // The typographic apostrophe behaves like the plain one at the edges of a word, so that
    // ‘quoted’ text and plural possessives are read the same either way.
    startForbidden_[kApostrophe] = startForbidden_['"'] = startForbidden_[kRightQuote] = true;
    trailing_[kApostrophe] = trailing_['"'] = trailing_['.'] = trailing_[kRightQuote] = true;
    midForbidden_['&'] = true;
    RebuildTables();
}

void TMainParsingEngine::RebuildTables() {
    for (int c = 0; c < 256; ++c) {
        std::uint8_t f = 0;
        if (wordChars_[c] && !startForbidden_[c])
            f |= kStart;
        if (wordChars_[c] && !midForbidden_[c])
            f |= kMiddle;
        if (trailing_[c])
            f |= kTrailing;
        flags_[c] = c == 0 ? 0 : f;
    }
}

void TMainParsingEngine::SetCharSet(std::string_view chars) {
    assign(wordChars_, chars);
    RebuildTables();
}

void TMainParsingEngine::SetMidForbidden(std::string_view chars) {
    assign(midForbidden_, chars);
    midForbidden_[kApostrophe] = midForbidden_[kRightQuote] = french_;
    RebuildTables();
}

void TMainParsingEngine::SetFrenchApostrophes(bool on) {
    french_ = on;
    midForbidden_[kApostrophe] = midForbidden_[kRightQuote] = on;
    RebuildTables();
}

void TMainParsingEngine::Start(TControlParser& adapter, int mode) {
    adapter_ = &adapter;
    word_.clear();
    switch (mode) {
    case smSelection: {
        const auto [start, end] = adapter.GetSelection();
        adapter.SetEndPosition(end);
        MoveTo(start);
        break;
    }
    case smFromCursor:
        adapter.SetEndPosition(std::nullopt);
        MoveTo(adapter.GetCursorPosition());
        break;
    case smWholeText:
        adapter.SetEndPosition(std::nullopt);
        adapter.SetPosition({});
        break;
    default:
        break;
    }
}

void TMainParsingEngine::MoveTo(TControlParser::Position position) {
    if (!adapter_)
        return;
    adapter_->SetPosition(position);
    while (CanContinue(adapter_->CurrentChar()) && adapter_->StepBack()) {
    }
}

bool TMainParsingEngine::IsFrenchElision() const {
    if (word_.size() != 7 && word_.size() != 4)
        return false;
    std::string lower = word_;
    for (char& c : lower)
        c = static_cast<char>(cp1252::toLower(static_cast<std::uint8_t>(c)));
    return lower == "aujourd" || lower == "entr";
}

bool TMainParsingEngine::FastWord(TControlParser& text) {
    std::string_view run = text.Peek();
    std::size_t i = 0;
    for (;;) {
        while (i < run.size() && !(flags_[static_cast<unsigned char>(run[i])] & kStart))
            ++i;
        if (i < run.size() || run.empty())
            break;
        text.Skip(run.size());
        run = text.Peek();
        i = 0;
    }
    std::size_t j = i + 1;
    while (j < run.size() && (flags_[static_cast<unsigned char>(run[j])] & kMiddle))
        ++j;
    const auto end = j < run.size() ? static_cast<unsigned char>(run[j]) : 0;
    if (j >= run.size() || end == '.' || (french_ && (end == kApostrophe || end == kRightQuote))) {
        text.Skip(i);
        return false;
    }
    word_.assign(run.data() + i, j - i);
    text.Skip(j);
    return true;
}

bool TMainParsingEngine::FinishWord(TControlParser& text, bool innerPeriod) {
    while (word_.size() > 1 && IsTrailing(static_cast<unsigned char>(word_.back())) &&
           !(innerPeriod && word_.back() == '.')) {
        word_.pop_back();
        text.StepBack();
    }
    if (wordHook_ && wordHook_(word_, text)) {
        word_.clear();
        return false;
    }
    return true;
}

const std::string& TMainParsingEngine::NextWord() {
    word_.clear();
    if (!adapter_)
        return word_;
    TControlParser& text = *adapter_;
    for (;;) {
        // Most words lie inside one buffered run and end at a plain separator.
        if (!charHook_ && FastWord(text)) {
            if ((!IsTrailing(static_cast<unsigned char>(word_.back())) && !wordHook_) ||
                FinishWord(text, false))
                return word_;
            continue;
        }
        unsigned char ch;
        for (;;) {
            ch = text.CurrentChar();
            if (charHook_ && ch != 0) {
                const auto before = text.GetPosition();
                if (charHook_(ch, text) && !(text.GetPosition() == before))
                    continue;
            }
            if (flags_[ch] & kStart)
                break;
            if (!text.Advance())
                return word_;
        }

        word_ += static_cast<char>(ch);
        bool innerPeriod = false;
        bool ended = false;
        for (;;) {
            if (!text.Advance()) {
                ended = true;
                if (!keepUnterminated_)
                    word_.clear();
                break;
            }
            ch = text.CurrentChar();
            if (flags_[ch] & kMiddle) {
                word_ += static_cast<char>(ch);
                continue;
            }
            if (ch == '.' && allowInnerPeriods_) {
                if (innerPeriod) {
                    word_ += '.';
                    continue;
                }
                // A quote after the period closes the sentence ('I know.') rather than
                // continuing an abbreviation.
                if (text.Advance()) {
                    const unsigned char next = text.CurrentChar();
                    if ((flags_[next] & (kMiddle | kTrailing)) == kMiddle) {
                        word_ += '.';
                        word_ += static_cast<char>(next);
                        innerPeriod = true;
                        continue;
                    }
                }
                text.StepBack();
                break;
            }
            if (french_ && (ch == kApostrophe || ch == kRightQuote) && IsFrenchElision()) {
                word_ += static_cast<char>(ch);
                continue;
            }
            break;
        }
        if (ended && word_.empty())
            return word_;
        if (FinishWord(text, innerPeriod))
            return word_;
    }
}

} // namespace kerfa::spelling

// Words out of text: periods, quotes and apostrophes at the edges and inside words, French
// elisions, the start modes, and replacing a word through the string adapter.

#include "spelling/TMainParsingEngine.h"
#include "spelling/TStringParser.h"

#include <gtest/gtest.h>

using namespace kerfa::spelling;

namespace {

std::vector<std::string> words(TMainParsingEngine& engine, TControlParser& text, int mode) {
    engine.Start(text, mode);
    std::vector<std::string> out;
    for (std::string w = engine.NextWord(); !w.empty(); w = engine.NextWord())
        out.push_back(w);
    return out;
}

std::vector<std::string> words(const std::string& text, bool french = false) {
    TStringParser parser(text);
    TMainParsingEngine engine;
    engine.SetFrenchApostrophes(french);
    return words(engine, parser, TMainParsingEngine::smWholeText);
}

using Words = std::vector<std::string>;

} // namespace

TEST(SpellingParser, WordsOutOfText) {
    struct Case {
        const char* text;
        Words expected;
    };
    const std::vector<Case> cases = {
        {"The end. ", {"The", "end"}},
        {"e.g. this ", {"e.g.", "this"}},
        {"the U.S.A. and ", {"the", "U.S.A.", "and"}},
        {"'quoted' ", {"quoted"}},
        {"\"Quoted,\" she said.\r\n", {"Quoted", "she", "said"}},
        {"'I know.' He ", {"I", "know", "He"}},
        {"\x91Stop.\x92 ", {"Stop"}},
        {"\x91quoted\x92 ", {"quoted"}},
        {"don't won\x92t ", {"don't", "won\x92t"}},
        {"the dogs' bones ", {"the", "dogs", "bones"}},
        {"Mr. Smith ", {"Mr", "Smith"}},
        {"pi is 3.14 or so ", {"pi", "is", "3.14", "or", "so"}},
        {"www.example.com ", {"www.example.com"}},
        {"caf\xE9 na\xEFve \xC9t\xE9 ", {"caf\xE9", "na\xEFve", "\xC9t\xE9"}},
        {"rock&roll &amp; ", {"rock", "&roll", "&amp"}},
        {"one,two;three(four) ", {"one", "two", "three", "four"}},
        {"\t\r\n  spaced\r\n", {"spaced"}},
        {"...'\"  ", {}},
        {"", {}},
        {"last", {}}, // a word running into the end of a string is not a finished word
        {"ends with e.g.", {"ends", "with"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(words(c.text), c.expected) << c.text;
}

TEST(SpellingParser, FrenchApostrophes) {
    struct Case {
        const char* text;
        Words french, other;
    };
    const std::vector<Case> cases = {
        {"l'homme ", {"l", "homme"}, {"l'homme"}},
        {"l\x92homme ", {"l", "homme"}, {"l\x92homme"}},
        {"aujourd'hui ", {"aujourd'hui"}, {"aujourd'hui"}},
        {"Aujourd\x92hui ", {"Aujourd\x92hui"}, {"Aujourd\x92hui"}},
        {"entr'acte ", {"entr'acte"}, {"entr'acte"}},
        {"qu'il s'est ", {"qu", "il", "s", "est"}, {"qu'il", "s'est"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(words(c.text, true), c.french) << c.text;
        EXPECT_EQ(words(c.text, false), c.other) << c.text;
    }
    TMainParsingEngine engine;
    engine.SetFrenchApostrophes(true);
    engine.SetFrenchApostrophes(false);
    TStringParser text("l'homme ");
    EXPECT_EQ(words(engine, text, TMainParsingEngine::smWholeText), Words{"l'homme"});
}

TEST(SpellingParser, KeepUnterminatedLastWord) {
    TMainParsingEngine engine;
    engine.SetKeepUnterminatedLastWord(true);
    TStringParser text("first last.'");
    EXPECT_EQ(words(engine, text, TMainParsingEngine::smWholeText), (Words{"first", "last"}));
    TStringParser abbreviation("see U.S.A.");
    EXPECT_EQ(words(engine, abbreviation, TMainParsingEngine::smWholeText),
              (Words{"see", "U.S.A."}));
}

TEST(SpellingParser, CharacterSetsCanBeChanged) {
    TMainParsingEngine engine;
    engine.SetCharSet("abc-");
    TStringParser text("abc-cab dog ab1 ");
    EXPECT_EQ(words(engine, text, TMainParsingEngine::smWholeText), (Words{"abc-cab", "ab"}));
    engine.SetMidForbidden("-");
    EXPECT_EQ(words(engine, text, TMainParsingEngine::smWholeText), (Words{"abc", "-cab", "ab"}));
}

TEST(SpellingParser, StartModes) {
    TMainParsingEngine engine;
    TStringParser text("one two three four five ");
    // Selection from inside "two" to just past "four ": the walk starts at the word's start.
    text.SetSelection(6, 20);
    EXPECT_EQ(words(engine, text, TMainParsingEngine::smSelection),
              (Words{"two", "three", "four"}));
    // A selection ending inside a word: the cut word is not checked.
    text.SetSelection(1, 17);
    EXPECT_EQ(words(engine, text, TMainParsingEngine::smSelection), (Words{"one", "two", "three"}));
    text.SetSelection(11, 11); // cursor inside "three"
    EXPECT_EQ(words(engine, text, TMainParsingEngine::smFromCursor),
              (Words{"three", "four", "five"}));
    EXPECT_EQ(words(engine, text, TMainParsingEngine::smWholeText).size(), 5u);
    text.SetPosition({15, 0});
    text.SetEndPosition(TControlParser::Position{25, 0});
    EXPECT_EQ(words(engine, text, TMainParsingEngine::smRangeAsSet), (Words{"four", "five"}));
}

TEST(SpellingParser, ReplacingAWordMovesTheEnd) {
    TMainParsingEngine engine;
    TStringParser text("teh cat sat on teh mat ");
    text.SetSelection(1, 20); // up to just past the space after the second "teh"
    engine.Start(text, TMainParsingEngine::smSelection);
    Words seen;
    for (std::string w = engine.NextWord(); !w.empty(); w = engine.NextWord()) {
        seen.push_back(w);
        if (w == "teh") {
            text.SelectWord(3);
            text.ReplaceSelection("there");
        }
    }
    EXPECT_EQ(seen, (Words{"teh", "cat", "sat", "on", "teh"}));
    EXPECT_EQ(text.Text(), "there cat sat on there mat ");
    const auto [start, end] = text.GetSelection();
    EXPECT_EQ(start.column, 18);
    EXPECT_EQ(end.column, 23);
}

TEST(SpellingParser, MoveToRestartsAtTheWordStart) {
    TMainParsingEngine engine;
    TStringParser text("alpha beta gamma ");
    engine.Start(text, TMainParsingEngine::smWholeText);
    engine.MoveTo({9, 0}); // inside "beta"
    EXPECT_EQ(engine.NextWord(), "beta");
    engine.MoveTo({1, 0});
    EXPECT_EQ(engine.NextWord(), "alpha");
}

TEST(SpellingParser, StringAdapterLines) {
    TStringParser text("first line\r\n> quoted\r\nlast");
    text.SetPosition({3, 0});
    EXPECT_EQ(text.CurrentLine(), "first line");
    text.SetPosition({16, 0});
    EXPECT_EQ(text.CurrentLine(), "> quoted");
    text.SetPosition({100, 0});
    EXPECT_EQ(text.CurrentLine(), "last");
    EXPECT_EQ(text.CurrentChar(), 0);
    EXPECT_FALSE(text.Advance());
    EXPECT_TRUE(text.StepBack());
    EXPECT_EQ(text.CurrentChar(), 't');
}

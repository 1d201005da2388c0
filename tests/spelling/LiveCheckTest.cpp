// Checking one line as the user types: which words of it a check would stop on and exactly
// where they lie, and Add and Ignore All outside a check.

#include "SpellCheckerFixture.h"
#include "spelling/TCustomDictionary.h"

using namespace kerfa::spelling;

namespace {

// The words found, as text, so that a span one byte off shows.
std::vector<std::string> Unknown(TSpellCheckerBase& checker, const std::string& line) {
    std::vector<std::string> words;
    for (const auto& span : checker.FindUnknownWords(line))
        words.push_back(line.substr(span.start, span.length));
    return words;
}

} // namespace

TEST_F(SpellCheckerTest, UnknownWordsOfALineAreFoundWhereTheyStand) {
    using Words = std::vector<std::string>;
    const struct {
        std::string line;
        Words unknown;
    } cases[] = {
        {"The cat sat on the mat.", {}},
        {"", {}},
        {"At the very end: wrongg", {"wrongg"}},
        {"wrongg at the start", {"wrongg"}},
        {"She said \"wrongg\" and left.", {"wrongg"}},
        {"She said 'wrongg' and left.", {"wrongg"}},
        {"She said \x93wrongg\x94 and left.", {"wrongg"}},
        {"(wrongg), [teh]; wrongg.", {"wrongg", "teh", "wrongg"}},
        {"teh cat and teh dog", {"teh", "teh"}},
        // The ignore rules and the accepted forms of a check hold as they do for a check.
        {"See www.zzqxw.com or 42 or a or THE or Hello", {}},
        {"The writer's pen", {}},
        {"e.g. U.S.A. is fine", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Unknown(checker, c.line), c.unknown) << c.line;
}

TEST_F(SpellCheckerTest, AddedAndIgnoredWordsAreAcceptedAndAnAddedWordIsWrittenAtOnce) {
    EXPECT_EQ(Unknown(checker, "zorblax and quiffle"),
              (std::vector<std::string>{"zorblax", "quiffle"}));
    EXPECT_TRUE(checker.AddWord("zorblax"));
    EXPECT_FALSE(checker.AddWord("zorblax")) << "already there";
    checker.IgnoreWord("quiffle");
    EXPECT_TRUE(Unknown(checker, "zorblax and quiffle").empty());

    // Another checker reading the same file knows the added word, not the ignored one.
    TSpellChecker other;
    Configure(other);
    EXPECT_EQ(Unknown(other, "zorblax and quiffle"), std::vector<std::string>{"quiffle"});
}

TEST_F(SpellCheckerTest, NoLineIsCheckedWhileACheckWaitsForTheUser) {
    ui.answers = {[this](TSpellChecker& c) {
        // The walk's parser stays where the check left it.
        EXPECT_TRUE(c.FindUnknownWords("wrongg here").empty());
        EXPECT_FALSE(c.AddWord("wrongg"));
        c.Ignore();
    }};
    EXPECT_TRUE(checker.CheckText("one teh two"));
    EXPECT_TRUE(ui.answers.empty());
    EXPECT_EQ(Unknown(checker, "wrongg here"), std::vector<std::string>{"wrongg"});
}

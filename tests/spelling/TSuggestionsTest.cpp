// Suggestions with the shipped British dictionary: the edit generator's kinds, the phonetic
// walk, the distance, learning and the cut, and the mended faults (the word itself never
// offered, capitalised typos found through case folding, the distance aligned).

#include "SpellCheckerFixture.h"
#include "spelling/SuggestionDistance.h"
#include "spelling/TPhoneticsMap.h"

#include <algorithm>

using namespace kerfa::spelling;

namespace {

bool contains(const std::vector<std::string>& list, const std::string& word) {
    return std::find(list.begin(), list.end(), word) != list.end();
}

} // namespace

TEST(SpellingSuggestionDistance, EditsWithAdjacentSwaps) {
    const struct {
        const char* a;
        const char* b;
        int distance;
    } cases[] = {
        {"teh", "the", 1},      {"aba", "ba", 1},    {"abcd", "badc", 2},
        {"ca", "abc", 3},       {"", "abc", 3},      {"kitten", "sitting", 3},
        {"eigth", "eighth", 1}, {"same", "same", 0}, {"poeasant", "peasant", 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SuggestionDistance(c.a, c.b), c.distance) << c.a << " " << c.b;
    const std::string longWord(300, 'a');
    EXPECT_EQ(SuggestionDistance(longWord, "a"), 300);
}

TEST(SpellingPhoneticsMap, CodesByTheLanguagesRules) {
    TPhoneticsMap map;
    map.SetLanguage(2057);
    EXPECT_EQ(map.Code("knight"), "knt");
    EXPECT_EQ(map.Code("Phone"), "phn");
    EXPECT_EQ(map.Code("fishing"), "fixnk");
    EXPECT_EQ(map.Code("a"), "a");
    map.SetLanguage(0);
    EXPECT_EQ(map.Code("catapult"), "cadbld");
    EXPECT_TRUE(map.WithinDistance("abcdefgh", 4));
    EXPECT_FALSE(map.WithinDistance("abcdef", 4)); // more than half the word
}

TEST_F(SpellCheckerTest, SuggestionsForTypicalTypos) {
    const struct {
        const char* word;
        const char* first;
    } cases[] = {
        {"teh", "the"},
        {"Teh", "The"},
        {"Chaopter", "Chapter"},
        {"recieve", "receive"},
        {"poeasant", "peasant"},
        {"eigth", "eight"},
        {"definately", "definitely"},
    };
    std::vector<std::string> list;
    for (const auto& c : cases) {
        checker.BuildSuggestions(c.word, -1, list);
        ASSERT_FALSE(list.empty()) << c.word;
        EXPECT_EQ(list.front(), c.first) << c.word;
        EXPECT_FALSE(contains(list, c.word)) << c.word;
    }
}

TEST_F(SpellCheckerTest, SplitsNeedTwoLettersOnEachSide) {
    std::vector<std::string> list;
    checker.BuildSuggestions("inthe", -1, list);
    EXPECT_TRUE(contains(list, "in the"));
    checker.BuildSuggestions("alot", -1, list);
    EXPECT_FALSE(contains(list, "a lot"));
}

TEST_F(SpellCheckerTest, NoPhoneticSuggestionsForOneLetter) {
    std::vector<std::string> list;
    checker.PhoneticSuggestions = false;
    checker.BuildSuggestions("q", -1, list);
    const std::vector<std::string> editsOnly = list;
    checker.PhoneticSuggestions = true;
    checker.BuildSuggestions("q", -1, list);
    EXPECT_EQ(list, editsOnly);
}

TEST_F(SpellCheckerTest, AnExcludedWordIsNeverItsOwnSuggestion) {
    checker.LoadDictionaries();
    ASSERT_TRUE(checker.ActiveCustomDictionary()->AddExcluded("colour"));
    EXPECT_FALSE(checker.IsWordAcceptable("colour"));
    std::vector<std::string> list;
    checker.BuildSuggestions("colour", -1, list);
    EXPECT_FALSE(contains(list, "colour"));
    EXPECT_TRUE(contains(list, "colours"));
}

TEST_F(SpellCheckerTest, LearnedChoicesComeFirst) {
    // The writer once changed "wrk" to "work" among many candidates.
    Check("wrk", {ChangeTo("work")});
    std::vector<std::string> list;
    checker.MaxSuggestions = 3;
    checker.BuildSuggestions("wrk", checker.MaxSuggestions, list);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list.front(), "work");

    // A learned added word sorts before an unlearned one of equal distance.
    checker.BuildSuggestions("cst", -1, list);
    ASSERT_GE(list.size(), 2u);
    const std::string second = list[1];
    checker.LearningDictionary()->AddWord(second);
    checker.BuildSuggestions("cst", -1, list);
    EXPECT_EQ(list.front(), second);
}

TEST_F(SpellCheckerTest, MappingDictionaryGivesItsOneReplacement) {
    checker.MappingDictionaryName = "map.adu";
    checker.LoadDictionaries();
    ASSERT_NE(checker.MappingDictionary(), nullptr);
    checker.MappingDictionary()->AddPair("colour", "color");
    std::vector<std::string> list;
    checker.BuildSuggestions("colour", -1, list);
    EXPECT_EQ(list, std::vector<std::string>{"color"});
    EXPECT_TRUE(checker.IsWordExcluded("colour"));
}

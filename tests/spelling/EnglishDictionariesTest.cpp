// The three English dictionaries compiled at build time, checked as the editor checks: each takes
// the spellings of its own variety and none of the common misspellings; words in capitals; the
// table that names each language's dictionary; a main dictionary standing in for the configured
// ones.

#include "TestFolder.h"
#include "spelling/DictionaryLanguages.h"
#include "spelling/TMainDictionary.h"
#include "spelling/TSpellCheckerBase.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

using namespace kerfa::spelling;

namespace {

// A checker set up as an editor's, in a program folder of its own whose Spelling/ links the
// shipped dictionaries, checking with `mainDictionary`.
class EnglishChecker {
public:
    explicit EnglishChecker(const std::string& mainDictionary) {
        const std::filesystem::path spelling = folder_.File("Spelling");
        std::filesystem::create_directories(spelling);
        for (const char* name : {"british.adm", "american.adm", "canadian.adm"})
            std::filesystem::create_symlink(std::filesystem::path(KERFA_SPELLING_DIR) / name,
                                            spelling / name);
        checker.UseProgramSettings();
        checker.ConfigStorage = csNone;
        checker.ConfigDefaultMain = {mainDictionary};
        checker.Paths.appDir = folder_.File("");
        checker.Paths.appDir.pop_back();
        checker.LoadDictionaries();
    }

private:
    TestFolder folder_;

public:
    TSpellCheckerBase checker;
};

struct Variety {
    const char* file;
    const char* title;
    std::uint32_t language;
    std::vector<const char*> own;     // spellings of the variety
    std::vector<const char*> foreign; // spellings of other varieties that it refuses
};

const std::vector<const char*> kMisspellings = {"recieve",  "definately", "seperate", "occured",
                                                "untill",   "accomodate", "wierd",    "goverment",
                                                "tommorow", "beleive"};

const Variety kVarieties[] = {
    {"british.adm",
     "British English",
     2057,
     {"colour", "harbour", "grey", "realise", "organised", "centre", "travelled", "defence",
      "catalogue", "programme"},
     {"color", "harbor", "realize", "center", "theater"}},
    {"american.adm",
     "American English",
     1033,
     {"color", "harbor", "gray", "realized", "organized", "center", "traveled", "defense",
      "catalog", "favorite"},
     {"colour", "harbour", "centre", "defence", "realise"}},
    {"canadian.adm",
     "Canadian English",
     4105,
     {"colour", "harbour", "grey", "realize", "organized", "centre", "travelled", "defence",
      "cheque", "favourite"},
     // Canadian usage, and so the list, takes "color" and "center" as well.
     {"traveled", "catalog", "realise", "organise", "labeled"}},
};

} // namespace

TEST(SpellingEnglishDictionaries, EachTakesItsVarietyAndRefusesMisspellings) {
    for (const Variety& variety : kVarieties) {
        SCOPED_TRACE(variety.file);
        TMainDictionary dictionary;
        ASSERT_TRUE(dictionary.Open(std::string(KERFA_SPELLING_DIR) + "/" + variety.file));
        EXPECT_EQ(dictionary.Title(), variety.title);
        EXPECT_EQ(dictionary.Language(), variety.language);

        EnglishChecker english(variety.file);
        ASSERT_EQ(english.checker.MainDictionaries().size(), 1u);
        for (const char* word : variety.own)
            EXPECT_TRUE(english.checker.IsWordAcceptable(word)) << word;
        for (const char* word : variety.foreign)
            EXPECT_FALSE(english.checker.IsWordAcceptable(word)) << word;
        for (const char* word : kMisspellings)
            EXPECT_FALSE(english.checker.IsWordAcceptable(word)) << word;
    }
}

// A word in capitals is a word when the dictionary holds it in lower case or as a name; a
// misspelling in capitals gets its suggestions in capitals.
TEST(SpellingEnglishDictionaries, WordsInCapitals) {
    EnglishChecker english("british.adm");
    TSpellCheckerBase& checker = english.checker;
    struct Case {
        const char* word;
        bool acceptable;
    };
    const Case cases[] = {
        {"LONDON", true},   {"TAYLOR", true},    {"HARBOUR", true}, {"London", true},
        {"LONDON'S", true}, {"london", false},   {"LONDNO", false}, {"LoNDON", false},
        {"TEH", false},     {"MCDONALD", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(checker.IsWordAcceptable(c.word), c.acceptable) << c.word;

    struct Suggested {
        const char* word;
        const char* first;
    };
    for (const Suggested& s : {Suggested{"LONDNO", "LONDON"}, Suggested{"TAYLRO", "TAYLOR"},
                               Suggested{"HARBUOR", "HARBOUR"}, Suggested{"Londno", "London"}}) {
        std::vector<std::string> list;
        checker.BuildSuggestions(s.word, 5, list);
        ASSERT_FALSE(list.empty()) << s.word;
        EXPECT_EQ(list.front(), s.first) << s.word;
    }
    // With case folding off, capitals are taken as written.
    checker.AllowedCases = cmNone;
    EXPECT_FALSE(checker.IsWordAcceptable("LONDON"));
}

TEST(SpellingEnglishDictionaries, LanguageTagsAndLocalesChooseADictionary) {
    struct Case {
        const char* tag;
        const char* forTag;    // a book's language
        const char* forLocale; // the first start's
    };
    const Case cases[] = {
        {"en-US", "american.adm", "american.adm"},
        {"en_US", "american.adm", "american.adm"},
        {"en_US.UTF-8", "american.adm", "american.adm"},
        {"EN-us", "american.adm", "american.adm"},
        {"en-Latn-US", "american.adm", "american.adm"},
        {"en-CA", "canadian.adm", "canadian.adm"},
        {"en-GB", "british.adm", "british.adm"},
        {"en-AU", "british.adm", "british.adm"},
        {"en", "british.adm", "british.adm"},
        {"de-DE", "", "british.adm"},
        {"fr_CA", "", "british.adm"},
        {"C", "", "british.adm"},
        {"", "", "british.adm"},
        {"english", "", "british.adm"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DictionaryLanguages::ForTag(c.tag), c.forTag) << c.tag;
        EXPECT_EQ(DictionaryLanguages::ForLocale(c.tag), c.forLocale) << c.tag;
    }
    // Every dictionary the table names is shipped.
    for (const auto& entry : DictionaryLanguages::All())
        EXPECT_TRUE(std::filesystem::exists(std::string(KERFA_SPELLING_DIR) + "/" +
                                            std::string(entry.file)))
            << entry.file;
}

// A book's language puts its dictionary in place of the configured ones, which come back when
// the book names none or a dictionary that is not there.
TEST(SpellingEnglishDictionaries, OverrideStandsInForTheConfiguredList) {
    EnglishChecker english("british.adm");
    TSpellCheckerBase& checker = english.checker;
    EXPECT_FALSE(checker.IsWordAcceptable("harbor"));
    checker.SetMainOverride({"american.adm"});
    EXPECT_TRUE(checker.IsWordAcceptable("harbor"));
    EXPECT_FALSE(checker.IsWordAcceptable("harbour"));
    ASSERT_EQ(checker.MainDictionaries().size(), 1u);
    EXPECT_EQ(checker.MainDictionaries().front()->Title(), "American English");
    checker.SetMainOverride({"klingon.adm"});
    EXPECT_TRUE(checker.IsWordAcceptable("harbour"));
    checker.SetMainOverride({});
    EXPECT_TRUE(checker.IsWordAcceptable("harbour"));
    EXPECT_FALSE(checker.IsWordAcceptable("harbor"));
}

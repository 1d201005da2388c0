// The dictionaries as the options and dictionary dialogs manage them: discovery in the
// dictionary folders, custom dictionaries made, renamed and deleted while the checker holds
// unsaved words, the choice of the active one, Clear, and the personal word lists of other
// spelling checkers.

#include "SpellCheckerFixture.h"
#include "spelling/DictionaryCatalog.h"
#include "spelling/PersonalWordList.h"

#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <unistd.h>

using namespace kerfa::spelling;
namespace fs = std::filesystem;
using Kind = TCustomDictionary::Kind;

namespace {

std::vector<std::string> namesOf(const std::vector<DictionaryCatalog::File>& files) {
    std::vector<std::string> names;
    for (const auto& f : files)
        names.push_back(f.name);
    return names;
}

void writeDictionary(const std::string& path, std::initializer_list<const char*> words) {
    TCustomDictionary d;
    ASSERT_TRUE(d.Open(path));
    for (const char* w : words)
        d.AddWord(w);
    ASSERT_TRUE(d.Save());
}

bool holds(const std::string& path, const std::string& word) {
    TCustomDictionary d;
    return d.Open(path) && d.IsAdded(word);
}

} // namespace

class DictionaryCatalogTest : public SpellCheckerTest {
protected:
    std::string Spelling(const std::string& name) { return folder.File("Spelling/" + name); }

    DictionaryCatalog catalog{checker};
};

TEST(SpellingDictionaryFiles, ANameInTwoFoldersIsListedOnceFromTheFirst) {
    TestFolder folder;
    const std::string a = folder.File("a"), b = folder.File("b");
    fs::create_directories(a + "/sub.adu");
    fs::create_directories(b);
    for (const char* name : {"names.adu", "Other.ADU", "notes.txt", ".adu"})
        TestFolder::Write(a + "/" + name, "x");
    for (const char* name : {"names.adu", "extra.adu"})
        TestFolder::Write(b + "/" + name, "x");
    const auto files = DictionaryCatalog::FindFiles({a, b, folder.File("missing")}, ".adu");
    EXPECT_EQ(namesOf(files), (std::vector<std::string>{"extra.adu", "names.adu", "Other.ADU"}));
    EXPECT_EQ(files[1].path, a + "/names.adu");
}

TEST_F(DictionaryCatalogTest, CustomDictionaryInTwoFoldersIsListedOnce) {
    const std::string other = folder.File("Other");
    fs::create_directories(other);
    writeDictionary(Spelling("names.adu"), {"Ashbury"});
    writeDictionary(other + "/names.adu", {"Marguerite"});
    writeDictionary(other + "/places.adu", {"Lyme"});
    checker.Config().AddPath(other);
    checker.Config().SetCustomList({"names.adu"});
    std::vector<std::string> listed;
    for (const auto& d : catalog.CustomDictionaries())
        listed.push_back(d.name + (d.checked ? "+" : "-") + (d.exists ? "" : "?"));
    // The active one (not made yet) first, then the files found.
    EXPECT_EQ(listed, (std::vector<std::string>{"writer.adu+?", "names.adu+", "places.adu-"}));
    EXPECT_EQ(catalog.CustomDictionaries()[1].path, Spelling("names.adu"));
}

TEST_F(DictionaryCatalogTest, MainDictionariesShowTheirTitlesOrQuestionMarks) {
    TestFolder::Write(Spelling("broken.adm"), std::string(4000, 'x'));
    checker.Config().SetMainList({"british.adm", "gone.adm"});
    const auto list = catalog.MainDictionaries();
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].name, "british.adm");
    EXPECT_TRUE(list[0].readable);
    EXPECT_FALSE(list[0].title.empty());
    EXPECT_TRUE(list[0].checked);
    EXPECT_EQ(list[1].name, "broken.adm");
    EXPECT_FALSE(list[1].readable);
    EXPECT_FALSE(list[1].checked);
    // Configured but found nowhere: listed so that it can be turned off.
    EXPECT_EQ(list[2].name, "gone.adm");
    EXPECT_TRUE(list[2].checked);

    catalog.SetMainChecked("gone.adm", false);
    catalog.SetMainChecked("british.adm", false);
    catalog.SetMainChecked("broken.adm", true);
    EXPECT_EQ(checker.Config().MainList(), std::vector<std::string>{"broken.adm"});
}

TEST(SpellingDictionaryFiles, TypedNamesBecomeFileNames) {
    const std::string e(300, 'e');
    std::string accents;
    for (int i = 0; i < 150; ++i)
        accents += "\xC3\xA9"; // é, two bytes
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"My Novel", "My Novel.adu"},
        {"Names.ADU", "Names.adu"},
        {"../../etc/passwd", "passwd.adu"},
        {"C:\\Dicts\\Names", "Names.adu"},
        {"  ..hidden. ", "hidden.adu"},
        {"a<b>:c|d?*\"\x01", "abcd.adu"},
        {"Dr. Who", "Dr. Who.adu"},
        {"...", ""},
        {"   ", ""},
        {".adu", ""},
        {e, std::string(200, 'e') + ".adu"},
        {accents, accents.substr(0, 200) + ".adu"},
    };
    for (const auto& [typed, expected] : cases)
        EXPECT_EQ(DictionaryCatalog::CustomFileName(typed), expected) << typed;
}

TEST_F(DictionaryCatalogTest, NewDictionaryIsAValidEmptyFileAndInUse) {
    EXPECT_EQ(catalog.Create("Novel names"), "Novel names.adu");
    const std::string path = Spelling("Novel names.adu");
    // A dictionary without entries, not an empty file: that would not open.
    EXPECT_GT(fs::file_size(path), 120u);
    TCustomDictionary d;
    ASSERT_TRUE(d.Open(path));
    EXPECT_EQ(d.Count(Kind::Added) + d.Count(Kind::Excluded) + d.Count(Kind::Pair), 0u);
    EXPECT_EQ(checker.Config().CustomList(), std::vector<std::string>{"Novel names.adu"});
    EXPECT_EQ(checker.Config().ActiveCustom(), "writer.adu");

    // A zero-byte file is no dictionary: it is neither opened nor overwritten.
    TestFolder::Write(Spelling("zero.adu"), "");
    EXPECT_FALSE(TCustomDictionary().Open(Spelling("zero.adu")));
    EXPECT_EQ(catalog.Create("zero"), "");
    EXPECT_EQ(fs::file_size(Spelling("zero.adu")), 0u);

    // A dictionary of that name in another folder is taken as it is, not shadowed.
    const std::string other = folder.File("Other");
    fs::create_directories(other);
    writeDictionary(other + "/places.adu", {"Lyme"});
    checker.Config().AddPath(other);
    EXPECT_EQ(catalog.Create("places"), "places.adu");
    EXPECT_FALSE(fs::exists(Spelling("places.adu")));
    EXPECT_TRUE(holds(other + "/places.adu", "Lyme"));
}

TEST_F(DictionaryCatalogTest, RenamingKeepsTheWordsTheCheckerHasNotSavedYet) {
    writeDictionary(Spelling("writer.adu"), {"Ashbury"});
    checker.EndMessage = emNever;
    Check("zorpish", {Do(&TSpellCheckerBase::Add)});
    ASSERT_FALSE(holds(Spelling("writer.adu"), "zorpish")); // kept loaded, not written yet

    EXPECT_EQ(catalog.Rename("writer.adu", "Novel"), "Novel.adu");
    EXPECT_FALSE(fs::exists(Spelling("writer.adu")));
    EXPECT_TRUE(holds(Spelling("Novel.adu"), "zorpish"));
    EXPECT_TRUE(holds(Spelling("Novel.adu"), "Ashbury"));
    EXPECT_EQ(checker.Config().ActiveCustom(), "Novel.adu");

    // The checker takes the renamed file; the old one never comes back.
    EXPECT_TRUE(checker.IsWordAcceptable("zorpish"));
    checker.UnloadDictionaries();
    EXPECT_FALSE(fs::exists(Spelling("writer.adu")));
}

TEST_F(DictionaryCatalogTest, RefusedRenamesChangeNothing) {
    writeDictionary(Spelling("a.adu"), {"alpha"});
    writeDictionary(Spelling("b.adu"), {"beta"});
    checker.Config().SetCustomList({"a.adu", "b.adu"});
    for (const char* typed : {"b", "a.adu", "", "...", "missing"})
        EXPECT_EQ(catalog.Rename(typed == std::string("missing") ? "missing.adu" : "a.adu", typed),
                  "")
            << typed;
    EXPECT_TRUE(holds(Spelling("a.adu"), "alpha"));
    EXPECT_TRUE(holds(Spelling("b.adu"), "beta"));
    EXPECT_EQ(checker.Config().CustomList(), (std::vector<std::string>{"a.adu", "b.adu"}));
}

TEST_F(DictionaryCatalogTest, DeletedDictionaryStaysDeleted) {
    writeDictionary(Spelling("a.adu"), {"alpha"});
    writeDictionary(Spelling("b.adu"), {"beta"});
    checker.Config().SetCustomList({"a.adu", "b.adu"});
    checker.EndMessage = emNever;
    Check("zorpish", {Do(&TSpellCheckerBase::Add)}); // into writer.adu, unsaved

    EXPECT_TRUE(catalog.Delete("writer.adu"));
    EXPECT_EQ(checker.Config().ActiveCustom(), "a.adu"); // the first one left
    checker.UnloadDictionaries();
    EXPECT_FALSE(fs::exists(Spelling("writer.adu")));
    EXPECT_FALSE(checker.IsWordAcceptable("zorpish"));

    EXPECT_TRUE(catalog.Delete("a.adu"));
    EXPECT_EQ(checker.Config().ActiveCustom(), "b.adu");
    EXPECT_EQ(checker.Config().CustomList(), std::vector<std::string>{"b.adu"});
    EXPECT_TRUE(catalog.Delete("b.adu"));
    EXPECT_EQ(checker.Config().ActiveCustom(), "");
}

TEST_F(DictionaryCatalogTest, ChoosingTheActiveDictionaryKeepsTheOldOneInUse) {
    checker.Config().SetCustomList({"a.adu"});
    catalog.SetActive("a.adu");
    EXPECT_EQ(checker.Config().ActiveCustom(), "a.adu");
    EXPECT_EQ(catalog.InUse(), (std::vector<std::string>{"a.adu", "writer.adu"}));

    // Out of use: the active one hands over to the first left; in use with none active: it
    // becomes the active one.
    catalog.SetCustomChecked("a.adu", false);
    EXPECT_EQ(checker.Config().ActiveCustom(), "writer.adu");
    catalog.SetCustomChecked("writer.adu", false);
    EXPECT_EQ(checker.Config().ActiveCustom(), "");
    EXPECT_TRUE(catalog.InUse().empty());
    catalog.SetCustomChecked("b.adu", true);
    EXPECT_EQ(checker.Config().ActiveCustom(), "b.adu");
    EXPECT_EQ(catalog.InUse(), std::vector<std::string>{"b.adu"});
}

TEST(SpellingCustomDictionary, ClearEmptiesTheFileEvenAfterAnotherProgramChangedIt) {
    TestFolder folder;
    const std::string path = folder.File("user.adu");
    writeDictionary(path, {"one", "two"});
    TCustomDictionary mine, theirs;
    ASSERT_TRUE(mine.Open(path));
    ASSERT_TRUE(theirs.Open(path));
    mine.SetLoaded(true);
    ASSERT_TRUE(mine.AddPair("teh", "the"));
    mine.Clear();
    EXPECT_EQ(mine.Count(Kind::Added) + mine.Count(Kind::Pair), 0u);
    // Another program adds a word and saves first: the merge keeps its word, not the cleared.
    ASSERT_TRUE(theirs.AddWord("three"));
    ASSERT_TRUE(theirs.Save());
    mine.SetLoaded(false);

    TCustomDictionary after;
    ASSERT_TRUE(after.Open(path));
    EXPECT_FALSE(after.IsAdded("one"));
    EXPECT_FALSE(after.IsAdded("two"));
    std::string replacement;
    EXPECT_FALSE(after.FindPair("teh", replacement));
    EXPECT_TRUE(after.IsAdded("three"));

    // Alone, Clear leaves a dictionary without entries on disk.
    after.Clear();
    after.SetLoaded(false);
    TCustomDictionary empty;
    ASSERT_TRUE(empty.Open(path));
    EXPECT_EQ(empty.Count(Kind::Added), 0u);
}

TEST(SpellingPersonalWordList, ListsOfOtherSpellCheckersAreFoundAndRead) {
    TestFolder folder;
    const std::string home = folder.File("home"), config = folder.File("config");
    fs::create_directories(home);
    fs::create_directories(config + "/enchant");
    TestFolder::Write(home + "/.hunspell_en_GB", "colour/S\n*alot\nAshbury\n");
    TestFolder::Write(home + "/.aspell.en.pws", "personal_ws-1.1 en 2 utf-8\nMarguerite\nLyme\n");
    TestFolder::Write(home + "/.ispell_english", "Zorblax\n");
    TestFolder::Write(home + "/.bashrc", "alias\n");
    TestFolder::Write(config + "/enchant/en_GB.dic", "caf\xC3\xA9\n");
    TestFolder::Write(config + "/enchant/en_GB.exc", "excluded\n");
    EXPECT_EQ(PersonalWordList::FindFiles(home, config),
              (std::vector<std::string>{config + "/enchant/en_GB.dic", home + "/.aspell.en.pws",
                                        home + "/.hunspell_en_GB", home + "/.ispell_english"}));

    struct Case {
        const char* name;
        std::string content;
        std::vector<std::string> words;
    };
    const std::vector<Case> cases = {
        {"plain", "one\r\ntwo\n", {"one", "two"}},
        {"old line breaks", "one\rtwo\r", {"one", "two"}},
        {"format line", "personal_ws-1.1 en 2\nMarguerite\n", {"Marguerite"}},
        {"format line only first", "one\npersonal_ws-1.1\n", {"one", "personal_ws-1.1"}},
        {"affix flags", "colour/S\nrun/ABC\n", {"colour", "run"}},
        {"forbidden words", "*alot\nfine\n", {"fine"}},
        {"UTF-8 into the code page", "caf\xC3\xA9\n", {"caf\xE9"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PersonalWordList::Words(c.content), c.words) << c.name;

    TCustomDictionary list;
    EXPECT_TRUE(PersonalWordList::Load(home + "/.aspell.en.pws", list));
    EXPECT_TRUE(list.IsAdded("Lyme"));
    EXPECT_FALSE(list.IsAdded("personal_ws-1.1"));
    EXPECT_FALSE(PersonalWordList::Load(home + "/.missing", list));
}

// The checker looks for other checkers' lists in HOME: a test run gets a home of its own.
TEST(SpellingPersonalWordList, TestsLookInAPrivateHomeOnly) {
    const char* home = std::getenv("HOME");
    ASSERT_NE(home, nullptr);
    if (const passwd* user = ::getpwuid(::getuid()); user && user->pw_dir) {
        EXPECT_NE(fs::path(home), fs::path(user->pw_dir));
    }
    EXPECT_EQ(fs::path(std::getenv("XDG_CONFIG_HOME")).parent_path(), fs::path(home).parent_path());
    const std::string list = std::string(home) + "/.hunspell_en_GB";
    TestFolder::Write(list, "Zorblax\n");
    EXPECT_EQ(TSpellCheckerBase().WordProcessorCustomFiles(), std::vector<std::string>{list});
    fs::remove(list);
}

TEST_F(DictionaryCatalogTest, ChosenWordListsAreAcceptedByTheCheck) {
    const std::string list = folder.File("words.pws");
    TestFolder::Write(list, "personal_ws-1.1 en 1\nZorblax\n");
    EXPECT_FALSE(checker.IsWordAcceptable("Zorblax"));
    catalog.SetWordListChecked(list, true);
    checker.LoadDictionaries();
    EXPECT_TRUE(checker.IsWordAcceptable("Zorblax"));
    catalog.SetWordListChecked(list, false);
    EXPECT_TRUE(checker.Config().WordProcessorCustomList().empty());
}

// Looking words up in a thesaurus file: a file laid out by hand in the narrow layout, the
// lower-case retry and re-casing, packed chains, the list a meaning shows, sorting, and which
// file names are taken.

#include "spelling/TThesaurusFile.h"
#include "AdtLayout.h"
#include "TestFolder.h"
#include "ThesaurusSource.h"
#include "spelling/TThesaurusBase.h"

#include <gtest/gtest.h>

using namespace kerfa::spelling;

namespace {

std::string le16(std::uint16_t v) {
    return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
}

std::string le32(std::uint32_t v) {
    return le16(static_cast<std::uint16_t>(v)) + le16(static_cast<std::uint16_t>(v >> 16));
}

std::string node(std::uint32_t link, std::uint8_t flags, char ch) {
    return le32(link | std::uint32_t(flags) << 20 |
                std::uint32_t(static_cast<std::uint8_t>(ch)) << 24);
}

// "ox" with one meaning (kind 1) whose first list holds "bull", packed as a chain below "b".
// The header is not the compiler's: files of other origins are read in the narrow layout.
std::string handMadeNarrowFile() {
    std::string links;
    links += "\x02" + le16(1) + le16(3);                        // 0 root: children o, b
    links += le16(2) + le16(0);                                 // 5 o: child x, parent root
    links += std::string(1, '\0') + le16(1) + "\x01" + le16(1); // 9 x: no children, parent o,
                                                                //   one meaning: entry 0, kind 1
    links += le16(4) + le16(0) + std::string(1, '\0'); // 15 b: chain u, parent root, no meanings
    links += le16(5);                                  // 20 u
    links += le16(6);                                  // 22 l
    links += std::string(1, '\0');                     // 24 l: end of the chain
    std::string b(kThesaurusHeaderSize, 'x');
    b += "\x04Test";
    b += std::string("\x07unknown") + "\x04noun" + "\x04verb" +
         "\x03"
         "adj" +
         "\x03"
         "adv";
    b += le32(7);
    b += node(0, 0, '\0') + node(5, kNodeOneChild | kNodeHasParent, 'o') +
         node(9, kNodeHasParent | kNodeWordEnd, 'x') +
         node(15, kNodeOneChild | kNodeHasParent | kNodeChainStart, 'b') +
         node(20, kNodeOneChild, 'u') + node(22, kNodeOneChild, 'l') + node(24, 0, 'l');
    b += le32(static_cast<std::uint32_t>(links.size())) + links;
    b += le16(1) + le16(2) + le16(1) + le16(0) + le16(0) + le16(0) + le32(0);
    b += le32(2) + le16(3);
    return b;
}

class SmallThesaurus : public testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        TestFolder::Write(folder_.File("t.adt"), compileSource(kSmallSource, GetParam()));
        file_.SetFileName(folder_.File("t.adt"));
        ASSERT_TRUE(file_.SetLoaded(true));
    }
    TestFolder folder_;
    TThesaurusFile file_;
};

} // namespace

TEST(ThesaurusFile, ReadsTheOriginalLayoutAsLaidOut) {
    TestFolder folder;
    TestFolder::Write(folder.File("ox.adt"), handMadeNarrowFile());
    TThesaurusFile file;
    file.SetFileName(folder.File("ox.adt"));
    ASSERT_TRUE(file.SetLoaded(true));
    EXPECT_FALSE(file.IsWide());
    EXPECT_EQ(file.Name(), "Test");
    EXPECT_EQ(file.KindName(0), "unknown");
    std::vector<TThesaurusEntry> meanings;
    ASSERT_TRUE(file.Lookup("ox", meanings));
    ASSERT_EQ(meanings.size(), 1u);
    EXPECT_EQ(meanings[0].headWord, "ox");
    EXPECT_EQ(meanings[0].kind, 1);
    EXPECT_EQ(meanings[0].kindName, "noun");
    EXPECT_EQ(meanings[0].lists[0], std::vector<std::string>{"bull"});
    ASSERT_TRUE(file.Lookup("OX", meanings));
    EXPECT_EQ(meanings[0].lists[0], std::vector<std::string>{"BULL"});
    for (const char* absent : {"o", "bull", "bul", "bulls", "b", "oxen"})
        EXPECT_FALSE(file.Lookup(absent, meanings)) << absent;
}

TEST_P(SmallThesaurus, LooksUpAndReCasesLikeTheWord) {
    struct Case {
        const char* word;
        bool found;
        const char* firstHead; // of the first meaning
        const char* firstWord; // of its shown list
    };
    const std::vector<Case> cases = {
        {"happy", true, "happy", "blessed"},
        {"HAPPY", true, "HAPPY", "BLESSED"},
        {"Happy", true, "Happy", "Blessed"},
        {"hAPPY", true, "happy", "blessed"}, // neither all capitals nor an initial one
        {"NA\xCFVE", true, "INGENUOUS", "INGENUOUS"},
        // Present only in lists, and in another case: the meanings of "bush" answer.
        {"Bush", true, "Shrub", "Shrub"},
        {"catalogue", true, "catalog", "catalog"},
        {"catalog", false, "", ""}, // a word of the lists only
        {"catalogu", false, "", ""},
        {"catalogues", false, "", ""},
        {"xyzzy", false, "", ""},
        {"", false, "", ""},
    };
    for (const auto& c : cases) {
        std::vector<TThesaurusEntry> meanings;
        EXPECT_EQ(file_.Lookup(c.word, meanings), c.found) << c.word;
        EXPECT_EQ(meanings.empty(), !c.found) << c.word;
        if (meanings.empty())
            continue;
        EXPECT_EQ(meanings[0].headWord, c.firstHead) << c.word;
        EXPECT_EQ(meanings[0].lists[meanings[0].ShownList()][0], c.firstWord) << c.word;
    }
    std::vector<TThesaurusEntry> meanings;
    EXPECT_FALSE(file_.Lookup(std::string(300, 'a'), meanings));
}

INSTANTIATE_TEST_SUITE_P(Layouts, SmallThesaurus, testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Wide" : "Narrow"; });

// A node that starts a packed chain holds the meanings of the one word down the chain. Marked
// as a word end too (by a damaged file or another compiler), it must not give the shorter word
// ending there the longer one's meanings.
TEST(ThesaurusFile, ChainStartMarkedAsWordEndKeepsItsMeaningsForTheLongWord) {
    kerfa::thesc::ThesaurusCompiler compiler;
    compiler.AddMeaning("cat", 1, "feline", {});
    compiler.AddMeaning("catalogue", 1, "list", {});
    const auto image = compiler.Build("T", kerfa::thesc::MythesThesaurus::kKindNames, false);
    std::string bytes(image.begin(), image.end());
    const AdtLayout layout(bytes);
    int marked = 0;
    for (std::uint32_t n = 0; n < layout.nodeCount; ++n) {
        const auto flags = layout.FlagsOf(bytes, n);
        if ((flags & kNodeChainStart) && layout.CharOf(bytes, n) == 'a') { // c-a-t-[a]logue
            layout.SetFlags(bytes, n, flags | kNodeWordEnd);
            ++marked;
        }
    }
    ASSERT_EQ(marked, 1);
    TestFolder folder;
    TestFolder::Write(folder.File("t.adt"), bytes);
    TThesaurusFile file;
    file.SetFileName(folder.File("t.adt"));
    ASSERT_TRUE(file.SetLoaded(true));
    std::vector<TThesaurusEntry> meanings;
    EXPECT_FALSE(file.Lookup("cata", meanings));
    ASSERT_TRUE(file.Lookup("catalogue", meanings));
    EXPECT_EQ(meanings[0].headWord, "list");
    ASSERT_TRUE(file.Lookup("cat", meanings));
    EXPECT_EQ(meanings[0].headWord, "feline");
}

TEST(ThesaurusEntry, ShowsTheListOfItsKind) {
    struct Case {
        int kind;
        const char* head;
        std::size_t shown;
    };
    const decltype(TThesaurusEntry::lists) lists = {
        {{"one"}, {"two", "Head"}, {"head", "three"}, {"four"}}};
    for (const auto& c : std::vector<Case>{{1, "head", 0},
                                           {4, "head", 3},
                                           {0, "head", 1}, // letter case aside
                                           {0, "three", 2},
                                           {0, "none", 0}}) {
        TThesaurusEntry entry;
        entry.kind = c.kind;
        entry.headWord = c.head;
        entry.lists = lists;
        EXPECT_EQ(entry.ShownList(), c.shown) << c.kind << " " << c.head;
    }
}

TEST(ThesaurusFile, TakesOnlyAnExistingOtherFileName) {
    TestFolder folder;
    TestFolder::Write(folder.File("a.adt"), compileSource(kSmallSource, true));
    TestFolder::Write(folder.File("b.adt"), handMadeNarrowFile());
    TThesaurusFile file;
    file.SetFileName(folder.File("a.adt"));
    ASSERT_TRUE(file.SetLoaded(true));
    file.SetFileName(folder.File("missing.adt"));
    EXPECT_EQ(file.FileName(), folder.File("a.adt"));
    EXPECT_TRUE(file.IsLoaded());
    // A loaded thesaurus follows its new file at once.
    file.SetFileName(folder.File("b.adt"));
    EXPECT_TRUE(file.IsLoaded());
    std::vector<TThesaurusEntry> meanings;
    EXPECT_TRUE(file.Lookup("ox", meanings));
    EXPECT_FALSE(file.Lookup("happy", meanings));
    EXPECT_TRUE(file.SetLoaded(false));
    EXPECT_FALSE(file.Lookup("ox", meanings));
}

TEST(ThesaurusFile, SortedListsOrderMeaningsByHeadWordAndTheShownWords) {
    class Sorted : public TThesaurusBase {
        std::string ShowDialog(std::string_view,
                               const std::optional<TControlParser::ScreenRect>&) override {
            return {};
        }
        void ShowBusy(bool) override {}
    } thesaurus;
    TestFolder folder;
    TestFolder::Write(folder.File("t.adt"), compileSource(kSmallSource, true));
    thesaurus.SetFilename(folder.File("t.adt"));
    ASSERT_TRUE(thesaurus.File().SetLoaded(true));
    std::vector<TThesaurusEntry> meanings;
    thesaurus.SetSortedLists(true);
    ASSERT_TRUE(thesaurus.Lookup("happy", meanings));
    std::vector<std::string> heads;
    for (const auto& m : meanings)
        heads.push_back(m.headWord);
    EXPECT_EQ(heads,
              (std::vector<std::string>{"felicitous", "glad", "happy", "unhappy", "well-chosen"}));
    EXPECT_EQ(thesaurus.ShownWords(meanings[4]),
              (std::vector<std::string>{"felicitous", "well-chosen"}));
    ASSERT_TRUE(thesaurus.Lookup("bush", meanings));
    EXPECT_EQ(thesaurus.ShownWords(meanings[0]),
              (std::vector<std::string>{"Bush", "George Bush", "President"}));
}

// Custom dictionaries: the file layout byte for byte, the hash table's growth, the limits on
// entries, atomic saves, damaged files, and two programs sharing one file.

#include "spelling/TCustomDictionary.h"
#include "TestFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <vector>

using kerfa::spelling::TCustomDictionary;
using Kind = TCustomDictionary::Kind;

namespace {

std::uint32_t get32(const std::string& b, std::size_t at) {
    std::uint32_t v;
    std::memcpy(&v, b.data() + at, 4);
    return v;
}

std::set<std::string> entries(TCustomDictionary& d, Kind kind) {
    std::set<std::string> out;
    for (std::size_t i = 0; i < d.Count(kind); ++i) {
        std::string entry(d.Word(kind, i));
        if (kind == Kind::Pair)
            entry += "=" + std::string(d.Replacement(i));
        out.insert(entry);
    }
    return out;
}

} // namespace

TEST(SpellingCustomDictionary, FileLayoutByteForByte) {
    TestFolder folder;
    const auto path = folder.File("user.adu");
    {
        TCustomDictionary d;
        ASSERT_TRUE(d.Open(path));
        ASSERT_TRUE(d.AddWord("a"));
        ASSERT_TRUE(d.AddExcluded("ab"));
        ASSERT_TRUE(d.AddPair("teh", "the"));
        ASSERT_TRUE(d.Save());
    }
    const std::string b = TestFolder::Read(path);
    const std::string banner = "Kerfa User Dictionary, Version 4.0\r\n";
    EXPECT_EQ(b.substr(0, banner.size()), banner);
    EXPECT_EQ(b.substr(117, 2), "\r\n");
    EXPECT_EQ(b[119], '\0');
    EXPECT_EQ(b[120], '\x1A');
    EXPECT_EQ(get32(b, 121), 1u); // added
    EXPECT_EQ(get32(b, 125), 1u); // excluded
    EXPECT_EQ(get32(b, 129), 1u); // pairs
    EXPECT_EQ(get32(b, 133), 3u); // live entries
    ASSERT_EQ(get32(b, 137), 251u);
    // Hashes worked out by hand: "a" -> 97, "ab" -> 188 in a table of 251.
    EXPECT_EQ(get32(b, 141 + 4 * 97), 1u);
    EXPECT_EQ(get32(b, 141 + 4 * 188), 4u);
    const std::size_t textAt = 141 + 4 * 251 + 4;
    const std::string text("Ia\0Eab\0Ateh\0the\0", 16);
    EXPECT_EQ(get32(b, textAt - 4), text.size());
    EXPECT_EQ(b.substr(textAt), text);
}

TEST(SpellingCustomDictionary, MissingFileIsNewAndWrittenWhenUnloaded) {
    TestFolder folder;
    const auto path = folder.File("new.adu");
    TCustomDictionary d;
    ASSERT_TRUE(d.Open(path));
    d.SetLoaded(true);
    EXPECT_TRUE(d.IsModified());
    EXPECT_EQ(d.Count(Kind::Added), 0u);
    d.SetLoaded(false);
    EXPECT_EQ(TestFolder::Read(path).size(), 141u + 4u);
    TCustomDictionary again;
    ASSERT_TRUE(again.Open(path));
    EXPECT_FALSE(again.IsAdded("x"));
    EXPECT_TRUE(again.AddWord("x"));
}

TEST(SpellingCustomDictionary, OneEntryPerWordAndCaseMatters) {
    TCustomDictionary d;
    ASSERT_TRUE(d.AddWord("colour"));
    EXPECT_FALSE(d.AddExcluded("colour"));
    EXPECT_FALSE(d.AddPair("colour", "color"));
    EXPECT_FALSE(d.AddWord("colour"));
    EXPECT_TRUE(d.IsAdded("colour"));
    EXPECT_FALSE(d.IsExcluded("colour"));
    EXPECT_FALSE(d.IsAdded("Colour"));
    EXPECT_TRUE(d.AddExcluded("Colour"));
    std::string replacement;
    EXPECT_FALSE(d.FindPair("colour", replacement));
    EXPECT_TRUE(d.AddPair("teh", "the"));
    EXPECT_TRUE(d.FindPair("teh", replacement));
    EXPECT_EQ(replacement, "the");
    EXPECT_FALSE(d.IsAdded("teh"));
    EXPECT_FALSE(d.RemoveWord("teh")); // wrong kind
    EXPECT_TRUE(d.RemovePair("teh"));
    EXPECT_FALSE(d.FindPair("teh", replacement));
}

TEST(SpellingCustomDictionary, EntryLimits) {
    struct Case {
        std::size_t word, replacement;
        bool pair, accepted;
    };
    const std::vector<Case> cases = {
        {0, 0, false, false},   {1, 0, false, true},    {500, 0, false, true},
        {501, 0, false, false}, {250, 250, true, true}, {250, 251, true, false},
        {0, 3, true, false},    {1, 499, true, true},
    };
    for (const auto& c : cases) {
        TCustomDictionary d;
        const std::string word(c.word, 'w'), replacement(c.replacement, 'r');
        EXPECT_EQ(c.pair ? d.AddPair(word, replacement) : d.AddWord(word), c.accepted)
            << c.word << "+" << c.replacement;
        EXPECT_EQ(d.Count(c.pair ? Kind::Pair : Kind::Added), c.accepted ? 1u : 0u);
    }
}

TEST(SpellingCustomDictionary, RemoveAndReAddKeepCountsAndLeaveADeletedSlot) {
    TestFolder folder;
    const auto path = folder.File("d.adu");
    {
        TCustomDictionary d;
        ASSERT_TRUE(d.Open(path));
        ASSERT_TRUE(d.AddWord("word"));
        ASSERT_TRUE(d.AddWord("other"));
        ASSERT_TRUE(d.RemoveWord("word"));
        EXPECT_FALSE(d.RemoveWord("word"));
        EXPECT_FALSE(d.IsAdded("word"));
        ASSERT_TRUE(d.AddWord("word"));
        EXPECT_TRUE(d.IsAdded("word"));
        EXPECT_EQ(d.Count(Kind::Added), 2u);
        EXPECT_EQ(entries(d, Kind::Added), (std::set<std::string>{"word", "other"}));
        ASSERT_TRUE(d.Save());
    }
    const std::string b = TestFolder::Read(path);
    EXPECT_EQ(get32(b, 121), 2u);
    EXPECT_EQ(get32(b, 133), 2u);
    std::size_t deleted = 0;
    for (std::size_t i = 0; i < get32(b, 137); ++i)
        deleted += get32(b, 141 + 4 * i) == 0xFFFFFFFFu;
    EXPECT_EQ(deleted, 1u);
    const std::size_t textAt = 141 + 4 * get32(b, 137) + 4;
    EXPECT_EQ(b.substr(textAt), std::string("Iword\0Iother\0Iword\0", 19)); // not compacted
}

TEST(SpellingCustomDictionary, TableGrowsThroughThePrimes) {
    TestFolder folder;
    const auto path = folder.File("grow.adu");
    TCustomDictionary d;
    ASSERT_TRUE(d.Open(path));
    EXPECT_EQ(d.TableSize(), 0u);
    std::vector<std::string> words;
    for (int i = 0; i < 600; ++i) {
        words.push_back("word" + std::to_string(i));
        ASSERT_TRUE(d.AddWord(words.back()));
        const std::size_t n = words.size();
        const std::uint32_t expected = n < 63    ? 251
                                       : n < 128 ? 509
                                       : n < 256 ? 1021
                                       : n < 510 ? 2039
                                                 : 4093;
        ASSERT_EQ(d.TableSize(), expected) << n;
    }
    for (const auto& w : words)
        EXPECT_TRUE(d.IsAdded(w)) << w;
    ASSERT_TRUE(d.Save());
    TCustomDictionary reloaded;
    ASSERT_TRUE(reloaded.Open(path));
    EXPECT_EQ(reloaded.Count(Kind::Added), words.size());
    for (const auto& w : words)
        EXPECT_TRUE(reloaded.IsAdded(w)) << w;
}

TEST(SpellingCustomDictionary, ManyRemovalsNeverFillTheTable) {
    // Deleted slots are never reused by insertion; the table must clear them out rather than
    // run out of empty slots.
    TCustomDictionary d;
    ASSERT_TRUE(d.AddWord("keep"));
    for (int i = 0; i < 5000; ++i) {
        const std::string w = "w" + std::to_string(i);
        ASSERT_TRUE(d.AddWord(w));
        ASSERT_TRUE(d.RemoveWord(w));
    }
    EXPECT_EQ(d.Count(Kind::Added), 1u);
    EXPECT_TRUE(d.IsAdded("keep"));
    EXPECT_FALSE(d.IsAdded("w4999"));
}

TEST(SpellingCustomDictionary, SaveIsAtomicAndLeavesNoTemporaryFiles) {
    TestFolder folder;
    const auto path = folder.File("d.adu");
    TCustomDictionary d;
    ASSERT_TRUE(d.Open(path));
    for (int i = 0; i < 100; ++i)
        d.AddPair("w" + std::to_string(i), "r");
    ASSERT_TRUE(d.Save());
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"d.adu"});
    EXPECT_FALSE(d.IsModified());

    TCustomDictionary elsewhere;
    ASSERT_TRUE(elsewhere.Open(folder.File("sub/none.adu")) == false);
}

TEST(SpellingCustomDictionary, WrongBannerIsNotOpened) {
    TestFolder folder;
    const auto path = folder.File("bad.adu");
    for (const std::string& bytes : {std::string("Kerfa User Dictionary, Version 3.0\r\n"),
                                     std::string(200, '\0'), std::string()}) {
        TestFolder::Write(path, bytes);
        TCustomDictionary d;
        EXPECT_FALSE(d.Open(path));
        EXPECT_EQ(TestFolder::Read(path), bytes); // never written over
    }
}

// A dictionary of "alpha", "beta" (added) and "gamma" (excluded), as the program writes it.
std::string soundDictionary(const std::string& path) {
    {
        TCustomDictionary d;
        EXPECT_TRUE(d.Open(path));
        d.AddWord("alpha");
        d.AddWord("beta");
        d.AddExcluded("gamma");
        EXPECT_TRUE(d.Save());
    }
    return TestFolder::Read(path);
}

struct Damage {
    const char* name;
    std::string (*damage)(std::string bytes);
    // What the damaged file still gives: its sound entries, or nothing.
    std::set<std::string> added;
    std::set<std::string> excluded;
};

void PrintTo(const Damage& d, std::ostream* os) {
    *os << d.name;
}

void set32(std::string& b, std::size_t at, std::uint32_t v) {
    std::memcpy(b.data() + at, &v, 4);
}

constexpr std::size_t kTableAt = 141;
constexpr std::size_t kTextSizeAt = kTableAt + 4 * 251;

const Damage kDamages[] = {
    // Bytes inserted or lost: the sizes no longer add up, and nothing in the file is believed.
    {"thousand zero bytes inserted in the table",
     [](std::string b) { return b.insert(kTableAt + 500, 1000, '\0'); },
     {},
     {}},
    {"thousand zero bytes inserted in the text",
     [](std::string b) { return b.insert(kTextSizeAt + 8, 1000, '\0'); },
     {},
     {}},
    {"cut short", [](std::string b) { return b.substr(0, 600); }, {}, {}},
    {"cut in the text", [](std::string b) { return b.substr(0, b.size() - 3); }, {}, {}},
    {"bytes after the text", [](std::string b) { return b + "Izeta"; }, {}, {}},
    {"table larger than the file",
     [](std::string b) {
         set32(b, 137, 252);
         return b;
     },
     {},
     {}},
    {"table of the largest size",
     [](std::string b) {
         set32(b, 137, 0xFFFFFFFF);
         return b;
     },
     {},
     {}},
    {"text size one too small",
     [](std::string b) {
         set32(b, kTextSizeAt, get32(b, kTextSizeAt) - 1);
         return b;
     },
     {},
     {}},
    {"text size the largest",
     [](std::string b) {
         set32(b, kTextSizeAt, 0xFFFFFFFF);
         return b;
     },
     {},
     {}},
    // Sizes that hold around damaged contents: what is sound is kept.
    {"counts in the header wrong",
     [](std::string b) {
         std::memset(b.data() + 121, 0x7F, 16);
         return b;
     },
     {"alpha", "beta"},
     {"gamma"}},
    {"slot past the text area",
     [](std::string b) {
         for (std::size_t at = kTableAt; at < kTextSizeAt; at += 4)
             if (get32(b, at) == 1) // "alpha"
                 set32(b, at, 100000);
         return b;
     },
     {"beta"},
     {"gamma"}},
    {"zero bytes over a slot",
     [](std::string b) {
         for (std::size_t at = kTableAt; at < kTextSizeAt; at += 4)
             if (get32(b, at) == 1) // "alpha"
                 set32(b, at, 0);
         return b;
     },
     {"beta"},
     {"gamma"}},
    {"end of header marker lost",
     [](std::string b) {
         b[120] = '\0';
         return b;
     },
     {"alpha", "beta"},
     {"gamma"}},
};

class DamagedCustomDictionary : public testing::TestWithParam<Damage> {};

// A damaged file never loads as sound: what it gives is its sound entries at most, and the
// file is kept as it was, beside the new one, before the next Add writes.
TEST_P(DamagedCustomDictionary, IsNeverBelievedAndIsKeptBeforeAnAddWrites) {
    TestFolder folder;
    const auto path = folder.File("d.adu");
    const std::string damaged = GetParam().damage(soundDictionary(path));
    TestFolder::Write(path, damaged);
    {
        TCustomDictionary d;
        ASSERT_TRUE(d.Open(path));
        EXPECT_EQ(entries(d, Kind::Added), GetParam().added);
        EXPECT_EQ(entries(d, Kind::Excluded), GetParam().excluded);
        ASSERT_TRUE(d.AddWord("delta"));
        ASSERT_TRUE(d.Save());
    }
    EXPECT_EQ(TestFolder::Read(path + ".damaged"), damaged);
    TCustomDictionary d;
    ASSERT_TRUE(d.Open(path));
    std::set<std::string> added = GetParam().added;
    added.insert("delta");
    EXPECT_EQ(entries(d, Kind::Added), added);
    EXPECT_EQ(entries(d, Kind::Excluded), GetParam().excluded);
}

INSTANTIATE_TEST_SUITE_P(Damages, DamagedCustomDictionary, testing::ValuesIn(kDamages),
                         [](const testing::TestParamInfo<Damage>& info) {
                             std::string name = info.param.name;
                             std::replace(name.begin(), name.end(), ' ', '_');
                             return name;
                         });

// Each damage found is kept: a second one does not replace the copy of the first, and only the
// newest few are kept.
TEST(SpellingCustomDictionary, EachDamageKeepsACopyOfItsOwn) {
    TestFolder folder;
    const auto path = folder.File("d.adu");
    const std::string good = soundDictionary(path);
    std::vector<std::string> damages;
    for (std::size_t i = 0; i < 7; ++i) {
        damages.push_back(good.substr(0, 600 + i));
        TestFolder::Write(path, damages.back());
        TCustomDictionary d;
        ASSERT_TRUE(d.Open(path));
        ASSERT_TRUE(d.AddWord("word" + std::to_string(i)));
        ASSERT_TRUE(d.Save());
        // Saved again without damage in between: no copy of the sound file.
        ASSERT_TRUE(d.AddWord("more" + std::to_string(i)));
        ASSERT_TRUE(d.Save());
    }
    const std::vector<std::string> kept = {".damaged.3", ".damaged.4", ".damaged.5", ".damaged.6",
                                           ".damaged.7"};
    std::vector<std::string> names = folder.Names();
    std::sort(names.begin(), names.end());
    std::vector<std::string> expected = {"d.adu"};
    for (const std::string& suffix : kept)
        expected.push_back("d.adu" + suffix);
    EXPECT_EQ(names, expected);
    for (std::size_t i = 0; i < kept.size(); ++i)
        EXPECT_EQ(TestFolder::Read(path + kept[i]), damages[i + 2]) << kept[i];
}

TEST(SpellingCustomDictionary, MisplacedAndDuplicateEntriesAreRepairedOnLoad) {
    TestFolder folder;
    const auto path = folder.File("d.adu");
    {
        TCustomDictionary d;
        ASSERT_TRUE(d.Open(path));
        ASSERT_TRUE(d.AddWord("a")); // slot 97, text offset 1
        ASSERT_TRUE(d.AddWord("b"));
        ASSERT_TRUE(d.Save());
    }
    const std::string good = TestFolder::Read(path);
    const auto setSlot = [](std::string& b, std::size_t slot, std::uint32_t value) {
        std::memcpy(b.data() + 141 + 4 * slot, &value, 4);
    };
    std::string misplaced = good;
    setSlot(misplaced, 97, 0);
    setSlot(misplaced, 5, 1); // off the probe path of "a"
    std::string twice = good;
    setSlot(twice, 7, 1); // "a" listed a second time
    for (const auto& bytes : {misplaced, twice}) {
        TestFolder::Write(path, bytes);
        TCustomDictionary d;
        ASSERT_TRUE(d.Open(path));
        EXPECT_EQ(entries(d, Kind::Added), (std::set<std::string>{"a", "b"}));
        EXPECT_EQ(d.Count(Kind::Added), 2u);
        EXPECT_TRUE(d.IsAdded("a"));
        EXPECT_TRUE(d.RemoveWord("a"));
        EXPECT_FALSE(d.IsAdded("a"));
        EXPECT_EQ(d.Count(Kind::Added), 1u);
    }
}

TEST(SpellingCustomDictionary, TwoProgramsSharingAFileKeepBothSetsOfChanges) {
    TestFolder folder;
    const auto path = folder.File("shared.adu");
    {
        TCustomDictionary d;
        ASSERT_TRUE(d.Open(path));
        for (const char* w : {"one", "two", "three", "four"})
            d.AddWord(w);
        d.AddPair("teh", "the");
        ASSERT_TRUE(d.Save());
    }
    TCustomDictionary first, second;
    ASSERT_TRUE(first.Open(path));
    ASSERT_TRUE(second.Open(path));
    first.SetLoaded(true);
    second.SetLoaded(true);

    ASSERT_TRUE(first.AddWord("alpha"));
    ASSERT_TRUE(first.RemoveWord("one"));
    ASSERT_TRUE(first.RemoveWord("two")); // removed and added back: stays
    ASSERT_TRUE(first.AddWord("two"));
    ASSERT_TRUE(first.RemoveWord("three")); // turned into an exclusion
    ASSERT_TRUE(first.AddExcluded("three"));
    ASSERT_TRUE(first.AddWord("temporary")); // added and removed: never appears
    ASSERT_TRUE(first.RemoveWord("temporary"));

    ASSERT_TRUE(second.AddWord("beta"));
    ASSERT_TRUE(second.RemovePair("teh"));
    ASSERT_TRUE(second.AddPair("recieve", "receive"));
    second.SetLoaded(false); // saves

    first.SetLoaded(false); // finds the file changed and replays its edits onto it

    TCustomDictionary merged;
    ASSERT_TRUE(merged.Open(path));
    EXPECT_EQ(entries(merged, Kind::Added),
              (std::set<std::string>{"two", "four", "alpha", "beta"}));
    EXPECT_EQ(entries(merged, Kind::Excluded), std::set<std::string>{"three"});
    EXPECT_EQ(entries(merged, Kind::Pair), std::set<std::string>{"recieve=receive"});

    // The first program keeps working with the merged contents.
    first.SetLoaded(true);
    EXPECT_TRUE(first.IsAdded("beta"));
    ASSERT_TRUE(first.AddWord("gamma"));
    ASSERT_TRUE(first.Save());
    TCustomDictionary last;
    ASSERT_TRUE(last.Open(path));
    EXPECT_TRUE(last.IsAdded("beta"));
    EXPECT_TRUE(last.IsAdded("gamma"));
}

TEST(SpellingCustomDictionary, MergeAlsoWorksWhileStillLoaded) {
    TestFolder folder;
    const auto path = folder.File("shared.adu");
    TCustomDictionary first, second;
    ASSERT_TRUE(first.Open(path));
    ASSERT_TRUE(second.Open(path));
    ASSERT_TRUE(first.AddWord("from-first"));
    ASSERT_TRUE(first.Save());
    ASSERT_TRUE(second.AddWord("from-second")); // loaded before the file existed
    ASSERT_TRUE(second.Save());
    EXPECT_TRUE(second.IsAdded("from-first"));
    ASSERT_TRUE(first.AddWord("again"));
    ASSERT_TRUE(first.Save());
    TCustomDictionary check;
    ASSERT_TRUE(check.Open(path));
    EXPECT_EQ(entries(check, Kind::Added),
              (std::set<std::string>{"from-first", "from-second", "again"}));
}

TEST(SpellingCustomDictionary, WordListBecomesAddedWordsInMemory) {
    TestFolder folder;
    const auto list = folder.File("words.txt");
    TestFolder::Write(list, "caf\xC3\xA9\r\nna\xC3\xAFve\n\n  plain  \n\xE6\x97\xA5\n");
    TCustomDictionary d;
    ASSERT_TRUE(d.LoadWordList(list));
    EXPECT_EQ(entries(d, Kind::Added), (std::set<std::string>{"caf\xE9", "na\xEFve", "plain"}));
    EXPECT_EQ(d.FileName(), "");
    EXPECT_FALSE(d.IsModified());
    EXPECT_FALSE(d.Save());
    EXPECT_FALSE(d.LoadWordList(folder.File("missing.txt")));
    EXPECT_EQ(d.Count(Kind::Added), 0u);
}

// Faults of the merge on save, each of which lost or corrupted the writer's words.
TEST(SpellingCustomDictionary, MergeOntoAnUnreadableFileKeepsEveryWord) {
    TestFolder folder;
    const auto path = folder.File("shared.adu");
    {
        TCustomDictionary d;
        ASSERT_TRUE(d.Open(path));
        for (const char* w : {"one", "two", "three"})
            d.AddWord(w);
        ASSERT_TRUE(d.Save());
    }
    const std::string good = TestFolder::Read(path);
    TCustomDictionary first;
    ASSERT_TRUE(first.Open(path));
    first.SetLoaded(true);
    ASSERT_TRUE(first.AddWord("four"));
    // Another program was cut off half-way through its own save.
    TestFolder::Write(path, good.substr(0, good.size() / 2));
    ASSERT_TRUE(first.Save());
    EXPECT_EQ(entries(first, Kind::Added), (std::set<std::string>{"one", "two", "three", "four"}));
    TCustomDictionary reread;
    ASSERT_TRUE(reread.Open(path));
    EXPECT_EQ(entries(reread, Kind::Added), (std::set<std::string>{"one", "two", "three", "four"}));
    EXPECT_EQ(TestFolder::Read(path + ".damaged"), good.substr(0, good.size() / 2));
}

TEST(SpellingCustomDictionary, ReplacedPairSurvivesTheMerge) {
    TestFolder folder;
    const auto path = folder.File("shared.adu");
    {
        TCustomDictionary d;
        ASSERT_TRUE(d.Open(path));
        d.AddPair("teh", "the");
        ASSERT_TRUE(d.Save());
    }
    TCustomDictionary first, second;
    ASSERT_TRUE(first.Open(path));
    ASSERT_TRUE(second.Open(path));
    ASSERT_TRUE(first.RemovePair("teh"));
    ASSERT_TRUE(first.AddPair("teh", "tea"));
    ASSERT_TRUE(second.AddWord("other"));
    ASSERT_TRUE(second.Save());
    ASSERT_TRUE(first.Save());
    TCustomDictionary merged;
    ASSERT_TRUE(merged.Open(path));
    EXPECT_EQ(entries(merged, Kind::Pair), std::set<std::string>{"teh=tea"});
    EXPECT_EQ(entries(merged, Kind::Added), std::set<std::string>{"other"});
}

TEST(SpellingCustomDictionary, MergedDamagedTableIsCheckedBeforeListing) {
    TestFolder folder;
    const auto path = folder.File("shared.adu");
    {
        TCustomDictionary d;
        ASSERT_TRUE(d.Open(path));
        ASSERT_TRUE(d.AddWord("a")); // slot 97, text offset 1
        ASSERT_TRUE(d.AddWord("b"));
        ASSERT_TRUE(d.Save());
    }
    std::string misplaced = TestFolder::Read(path);
    const auto setSlot = [&](std::size_t slot, std::uint32_t value) {
        std::memcpy(misplaced.data() + 141 + 4 * slot, &value, 4);
    };
    setSlot(97, 0);
    setSlot(5, 1); // off the probe path of "a"
    TCustomDictionary first;
    ASSERT_TRUE(first.Open(path));
    EXPECT_EQ(first.Count(Kind::Added), 2u); // checked once, for the sound file
    ASSERT_TRUE(first.AddWord("c"));
    TestFolder::Write(path, misplaced);
    ASSERT_TRUE(first.Save());
    EXPECT_EQ(entries(first, Kind::Added), (std::set<std::string>{"a", "b", "c"}));
    for (const char* w : {"a", "b", "c"})
        EXPECT_TRUE(first.IsAdded(w)) << w;
}

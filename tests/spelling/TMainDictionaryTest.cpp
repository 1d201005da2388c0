// The compiler and the reader by round trip, on hand-made lists that reach the corners of the
// format: one-letter words, packed chains, both widths of linkage references, case.

#include "spelling/TMainDictionary.h"
#include "AdmLayout.h"
#include "TestFolder.h"
#include "dictc/DictionaryCompiler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using kerfa::dictc::DictionaryCompiler;
using kerfa::spelling::TMainDictionary;

namespace {

// Compiles the words into a file and returns the compiler's node count.
std::uint32_t compile(const std::string& path, const std::vector<std::string>& words) {
    DictionaryCompiler compiler;
    for (const auto& w : words)
        compiler.AddWord(w);
    const auto image = compiler.Build("Test", 2057);
    EXPECT_FALSE(image.empty()) << compiler.Error();
    TestFolder::Write(path, std::string(image.begin(), image.end()));
    return compiler.NodeCount();
}

// Every word is found; every prefix and one-letter extension that is not a word is not.
void expectExactly(TMainDictionary& dictionary, const std::vector<std::string>& words) {
    const std::set<std::string> set(words.begin(), words.end());
    for (const auto& word : words) {
        const auto match = dictionary.Contains(word);
        EXPECT_TRUE(match.found) << word;
        EXPECT_EQ(match.matched, word.size()) << word;
        for (std::size_t n = 1; n < word.size(); ++n) {
            if (!set.count(word.substr(0, n))) {
                EXPECT_FALSE(dictionary.Contains(word.substr(0, n)).found) << word.substr(0, n);
            }
        }
        for (const char extra : {'a', 'z', 'Q'}) {
            if (!set.count(word + extra)) {
                EXPECT_FALSE(dictionary.Contains(word + extra).found) << word + extra;
            }
        }
    }
}

// Three-letter words in order until the tree has exactly `nodes` nodes (no chain is packed:
// every node at depth 3 ends a word).
std::vector<std::string> wordsForNodeCount(std::uint32_t nodes) {
    const std::string letters =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ\xE0\xE9\xEA\xF6";
    std::vector<std::string> words;
    std::set<std::string> prefixes{""};
    for (const char a : letters)
        for (const char b : letters)
            for (const char c : letters) {
                const std::string w{a, b, c};
                const std::size_t added =
                    1 + !prefixes.count(w.substr(0, 2)) + !prefixes.count(w.substr(0, 1));
                if (prefixes.size() + added > nodes)
                    continue;
                words.push_back(w);
                prefixes.insert({w.substr(0, 1), w.substr(0, 2), w});
                if (prefixes.size() == nodes)
                    return words;
            }
    return words;
}

std::vector<std::string> collect(TMainDictionary& dictionary, std::string_view prefix,
                                 std::string_view stopAt = {}) {
    std::vector<std::string> out;
    dictionary.EnumeratePrefix(prefix, [&](std::string_view word) {
        out.emplace_back(word);
        return word == stopAt ? TMainDictionary::Visit::Stop : TMainDictionary::Visit::Descend;
    });
    return out;
}

} // namespace

TEST(SpellingMainDictionary, RoundTripOfHandMadeLists) {
    const std::vector<std::vector<std::string>> lists = {
        {"a"},
        {"a", "I", "cat", "Cat", "cats", "catalogue", "catalogues", "cater", "dog"},
        {"abcdefghij"},                             // one packed chain of seven extras
        {"abcdefghijklmnopqrstuvwxyz"},             // chains longer than one node can pack
        {"xylophone", "xylophones", "xylophonist"}, // a word ending right after a chain
        {"caf\xE9", "na\xEFve", "\xC9t\xE9", "don't", "don\x92t", "O'Brien", "&c"},
        {"be", "bee", "been", "beer", "beers", "bees", "beet", "b"},
    };
    TestFolder folder;
    for (const auto& words : lists) {
        const auto path = folder.File("list.adm");
        compile(path, words);
        TMainDictionary dictionary;
        ASSERT_TRUE(dictionary.Open(path));
        EXPECT_EQ(dictionary.WordCount(), std::set<std::string>(words.begin(), words.end()).size());
        expectExactly(dictionary, words);
        EXPECT_FALSE(dictionary.Contains("").found);
        EXPECT_FALSE(dictionary.Contains("q").found);
    }
}

TEST(SpellingMainDictionary, HeaderFieldsReadBack) {
    TestFolder folder;
    DictionaryCompiler compiler;
    compiler.AddWord("word");
    const auto image = compiler.Build("Fran\xC3\xA7"
                                      "ais \xF0\x9F\x93\x96",
                                      1036);
    TestFolder::Write(folder.File("d.adm"), std::string(image.begin(), image.end()));
    TMainDictionary dictionary;
    ASSERT_TRUE(dictionary.Open(folder.File("d.adm")));
    EXPECT_EQ(dictionary.Title(), "Fran\xC3\xA7"
                                  "ais \xF0\x9F\x93\x96");
    EXPECT_EQ(dictionary.Language(), 1036u);
    EXPECT_EQ(dictionary.WordCount(), 1u);
    EXPECT_FALSE(dictionary.IsLoaded()); // opening does not map
    EXPECT_TRUE(dictionary.Contains("word").found);
    EXPECT_TRUE(dictionary.IsLoaded());
    dictionary.SetLoaded(false);
    EXPECT_FALSE(dictionary.IsLoaded());
    EXPECT_TRUE(dictionary.Contains("word").found); // maps again on demand
}

TEST(SpellingMainDictionary, CaseIsPartOfTheWord) {
    TestFolder folder;
    compile(folder.File("d.adm"), {"cat", "Paris"});
    TMainDictionary dictionary;
    ASSERT_TRUE(dictionary.Open(folder.File("d.adm")));
    EXPECT_TRUE(dictionary.Contains("cat").found);
    EXPECT_FALSE(dictionary.Contains("Cat").found);
    EXPECT_FALSE(dictionary.Contains("CAT").found);
    EXPECT_TRUE(dictionary.Contains("Paris").found);
    EXPECT_FALSE(dictionary.Contains("paris").found);
}

TEST(SpellingMainDictionary, OneLetterWordComesFromTheFirstLetterTable) {
    TestFolder folder;
    const auto path = folder.File("d.adm");
    compile(path, {"a", "ab", "I"});
    // Wipe every node record: only the first-letter table can still answer.
    std::string bytes = TestFolder::Read(path);
    const AdmLayout layout(bytes);
    std::fill(bytes.begin() + layout.tablesAt, bytes.begin() + layout.linkageSizeAt, '\0');
    TestFolder::Write(path, bytes);
    TMainDictionary dictionary;
    ASSERT_TRUE(dictionary.Open(path));
    EXPECT_TRUE(dictionary.Contains("a").found);
    EXPECT_TRUE(dictionary.Contains("I").found);
    EXPECT_FALSE(dictionary.Contains("b").found);
    EXPECT_FALSE(dictionary.Contains("ab").found);
}

TEST(SpellingMainDictionary, WordEndingInsideAPackedChainIsNotAWord) {
    TestFolder folder;
    // 'a' (first letters are never packed), 'b' with eight extras, 'k' with two, 'n'.
    EXPECT_EQ(compile(folder.File("d.adm"), {"abcdefghijklmn"}), 5u);
    TMainDictionary dictionary;
    ASSERT_TRUE(dictionary.Open(folder.File("d.adm")));
    EXPECT_TRUE(dictionary.Contains("abcdefghijklmn").found);
    const auto inside = dictionary.Contains("abcdef");
    EXPECT_FALSE(inside.found);
    EXPECT_EQ(inside.matched, 6u);
    EXPECT_FALSE(dictionary.Contains("abcdefghij").found); // right after a full chain
    EXPECT_FALSE(dictionary.Contains("abcdefghijklm").found);
    EXPECT_EQ(dictionary.Contains("abcdexghij").matched, 5u);
}

TEST(SpellingMainDictionary, NodeCountsEitherSideOfTheWideReferenceForm) {
    TestFolder folder;
    for (const std::uint32_t nodes : {65534u, 65535u, 70000u}) {
        const auto words = wordsForNodeCount(nodes);
        const auto path = folder.File("d.adm");
        ASSERT_EQ(compile(path, words), nodes);
        TMainDictionary dictionary;
        ASSERT_TRUE(dictionary.Open(path));
        EXPECT_EQ(dictionary.NodeCount(), nodes);
        for (const auto& w : words)
            ASSERT_TRUE(dictionary.Contains(w).found) << nodes << " " << w;
        EXPECT_FALSE(dictionary.Contains("zzzz").found);
        EXPECT_FALSE(dictionary.Contains("aaaa").found);
    }
}

TEST(SpellingMainDictionary, PrefixWalkVisitsWordsInStoredOrderAndStopPrunes) {
    TestFolder folder;
    compile(folder.File("d.adm"), {"cab", "cat", "cats", "catalogue", "dog", "c"});
    TMainDictionary dictionary;
    ASSERT_TRUE(dictionary.Open(folder.File("d.adm")));
    const std::vector<std::string> all = {"c", "cab", "cat", "catalogue", "cats", "dog"};
    EXPECT_EQ(collect(dictionary, ""), all);
    EXPECT_EQ(collect(dictionary, "ca"),
              (std::vector<std::string>{"cab", "cat", "catalogue", "cats"}));
    EXPECT_EQ(collect(dictionary, "ca", "cat"), (std::vector<std::string>{"cab", "cat"}));
    EXPECT_EQ(collect(dictionary, "catal"), (std::vector<std::string>{"catalogue"}));
    EXPECT_TRUE(collect(dictionary, "cz").empty());
    EXPECT_TRUE(collect(dictionary, "catax").empty());
}

TEST(SpellingMainDictionary, WordsFoundCounterStartsAtZeroOnOpen) {
    TestFolder folder;
    compile(folder.File("d.adm"), {"word"});
    TMainDictionary dictionary;
    ASSERT_TRUE(dictionary.Open(folder.File("d.adm")));
    dictionary.CountFound();
    dictionary.CountFound();
    EXPECT_EQ(dictionary.WordsFound(), 2u);
    ASSERT_TRUE(dictionary.Open(folder.File("d.adm")));
    EXPECT_EQ(dictionary.WordsFound(), 0u);
}

// The shipped dictionary, compiled at build time from Debian's British English word list,
// holds every word of that list that Windows-1252 can represent, and nothing it should not.

#include "common/Cp1252.h"
#include "spelling/TMainDictionary.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

using kerfa::spelling::TMainDictionary;

TEST(SpellingBritishDictionary, HoldsEveryRepresentableDebianWord) {
    TMainDictionary dictionary;
    ASSERT_TRUE(dictionary.Open(KERFA_BRITISH_ADM));
    EXPECT_EQ(dictionary.Title(), "British English");
    EXPECT_EQ(dictionary.Language(), 2057u);
    EXPECT_GE(dictionary.NodeCount(), 65535u); // the wide reference form in real use

    std::ifstream list(KERFA_BRITISH_WORDS);
    ASSERT_TRUE(list);
    std::string line, word;
    std::size_t checked = 0, missing = 0;
    while (std::getline(list, line)) {
        if (line.empty() || !kerfa::cp1252::fromUtf8(line, word))
            continue;
        ++checked;
        if (!dictionary.Contains(word).found && ++missing <= 10)
            ADD_FAILURE() << "missing: " << line;
    }
    EXPECT_EQ(missing, 0u);
    EXPECT_EQ(checked, dictionary.WordCount());
    EXPECT_GT(checked, 100000u);
}

TEST(SpellingBritishDictionary, RefusesMisspellingsAndWrongCase) {
    TMainDictionary dictionary;
    ASSERT_TRUE(dictionary.Open(KERFA_BRITISH_ADM));
    for (const char* word : {"colour", "organise", "Asunci\xF3n", "don't", "Britain", "a"})
        EXPECT_TRUE(dictionary.Contains(word).found) << word;
    for (const char* word : {"teh", "recieve", "definately", "britain", "colourx", "COLOUR"})
        EXPECT_FALSE(dictionary.Contains(word).found) << word;
}

// Lookups and the prefix walk each keep their own decoded copy of the nodes below the first
// letters: with both copies complete, in either order, every word is still found and walked.
TEST(SpellingBritishDictionary, LookupsAndTheWholeWalkTogetherReachEveryWord) {
    std::ifstream list(KERFA_BRITISH_WORDS);
    ASSERT_TRUE(list);
    std::vector<std::string> words;
    std::string line, word;
    while (std::getline(list, line))
        if (!line.empty() && kerfa::cp1252::fromUtf8(line, word))
            words.push_back(word);

    for (const bool walkFirst : {false, true}) {
        TMainDictionary dictionary;
        ASSERT_TRUE(dictionary.Open(KERFA_BRITISH_ADM));
        std::size_t walked = 0, missing = 0;
        const auto walk = [&] {
            walked = 0;
            dictionary.EnumeratePrefix("", [&](std::string_view) {
                ++walked;
                return TMainDictionary::Visit::Descend;
            });
        };
        const auto lookUp = [&] {
            for (const auto& w : words)
                if (!dictionary.Contains(w).found && ++missing <= 10)
                    ADD_FAILURE() << "missing: " << w;
        };
        if (walkFirst) {
            walk();
            lookUp();
        } else {
            lookUp();
            walk();
        }
        EXPECT_EQ(walked, dictionary.WordCount()) << "walk first: " << walkFirst;
        EXPECT_EQ(missing, 0u) << "walk first: " << walkFirst;
    }
}

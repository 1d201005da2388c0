// The shipped dictionary, compiled at build time from Debian's British English word list,
// holds every word of that list that Windows-1252 can represent, and nothing it should not.

#include "common/Cp1252.h"
#include "spelling/TMainDictionary.h"

#include <gtest/gtest.h>

#include <fstream>

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

// Word lists for the compiler arrive in UTF-8 or Windows-1252; words go into the dictionary's
// code page, and what it cannot hold is skipped and counted.

#include "dictc/WordList.h"

#include <gtest/gtest.h>

using kerfa::dictc::WordList;

TEST(SpellingWordList, DecodesAndSkips) {
    struct Case {
        const char* name;
        std::string content;
        std::vector<std::string> words;
        std::size_t skipped;
    };
    const std::vector<Case> cases = {
        {"UTF-8 with accents", "caf\xC3\xA9\nna\xC3\xAFve\n", {"caf\xE9", "na\xEFve"}, 0},
        {"UTF-8 outside the code page", "\xE6\x97\xA5\xE6\x9C\xAC\nword\n", {"word"}, 1},
        {"typographic apostrophe", "don\xE2\x80\x99t\n", {"don\x92t"}, 0},
        {"Windows-1252 bytes", "caf\xE9\r\nend\r\n", {"caf\xE9", "end"}, 0},
        {"blank lines and spaces", "\n  one  \r\n\r\n\ttwo\n", {"one", "two"}, 0},
        {"control characters",
         "a\x01"
         "b\nok\n",
         {"ok"},
         1},
        {"no final line break", "last", {"last"}, 0},
        {"overlong word",
         std::string(256, 'x') + "\n" + std::string(255, 'y'),
         {std::string(255, 'y')},
         1},
    };
    for (const auto& c : cases) {
        WordList list;
        list.Parse(c.content);
        EXPECT_EQ(list.Words(), c.words) << c.name;
        EXPECT_EQ(list.Skipped(), c.skipped) << c.name;
    }
}

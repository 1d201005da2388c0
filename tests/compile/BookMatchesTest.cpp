#include "compile/BookMatches.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QString kText = u"The theme of the day.\nTHE END, then: the\tother one."_s;

struct FindCase {
    const char* name;
    const char* find;
    bool matchCase;
    bool wholeWords;
    std::vector<qsizetype> offsets;
};

class BookFind : public testing::TestWithParam<FindCase> {};

TEST_P(BookFind, FindsByCaseAndWholeWords) {
    const FindCase& c = GetParam();
    std::vector<qsizetype> offsets;
    for (const BookMatches::Match& m :
         BookMatches(QString::fromUtf8(c.find), c.matchCase, c.wholeWords).in(kText))
        offsets.push_back(m.offset);
    EXPECT_EQ(offsets, c.offsets);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BookFind,
    testing::Values(
        // "The", "theme", "the", "THE", "then", "the", "other".
        FindCase{"any_case_anywhere", "the", false, false, {0, 4, 13, 22, 31, 37, 42}},
        FindCase{"case_anywhere", "the", true, false, {4, 13, 31, 37, 42}},
        FindCase{"any_case_whole", "the", false, true, {0, 13, 22, 37}},
        FindCase{"case_whole", "the", true, true, {13, 37}},
        FindCase{"capitals_whole", "THE", true, true, {22}},
        // A find text ending in a mark has no word to keep whole on that side.
        FindCase{"ending_in_a_mark", "end,", false, true, {26}},
        FindCase{"two_words", "the day", false, true, {13}},
        FindCase{"nothing", "sea", false, false, {}}, FindCase{"empty", "", false, false, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BookMatches, EachMatchKnowsItsLineAndTheTextAroundIt) {
    const QString text = u"Anna came.\nThen Anna left, and "_s + QString(60, u'x') + u" Anna"_s;
    const QList<BookMatches::Match> found = BookMatches(u"anna"_s, false, true).in(text);
    ASSERT_EQ(found.size(), 3);
    EXPECT_EQ(found[0].line, 1);
    EXPECT_EQ(found[0].before, QString());
    EXPECT_EQ(found[0].found, u"Anna"_s);
    EXPECT_EQ(found[0].after, u" came."_s);
    EXPECT_EQ(found[1].line, 2);
    EXPECT_EQ(found[1].before, u"Then "_s);
    EXPECT_EQ(found[1].after.size(), BookMatches::kContext);
    EXPECT_EQ(found[2].line, 2);
    EXPECT_EQ(found[2].before.size(), BookMatches::kContext);
    EXPECT_EQ(found[2].after, QString());
}

TEST(BookMatches, ReplacesOnlyTheOffsetsGiven) {
    const QString text = u"a cat, a cat, a cat"_s;
    EXPECT_EQ(BookMatches::replaced(text, {2, 16}, 3, u"dog"_s), u"a dog, a cat, a dog"_s);
    EXPECT_EQ(BookMatches::replaced(text, {}, 3, u"dog"_s), text);
    EXPECT_EQ(BookMatches::replaced(text, {0}, 1, QString()), u" cat, a cat, a cat"_s);
}

} // namespace

#include "editor/TextFinder.h"

#include "support/IndexNames.h"

#include <gtest/gtest.h>

namespace {

struct FindCase {
    const char* text;
    const char* needle;
    bool matchCase;
    std::vector<qsizetype> found;
};

class FindAll : public testing::TestWithParam<FindCase> {};

TEST_P(FindAll, Occurrences) {
    const FindCase& c = GetParam();
    const QList<qsizetype> found =
        TextFinder::findAll(QString::fromUtf8(c.text), QString::fromUtf8(c.needle), 0, c.matchCase);
    EXPECT_EQ(std::vector<qsizetype>(found.cbegin(), found.cend()), c.found) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, FindAll,
    testing::Values(FindCase{"The THE other the", "the", false, {0, 4, 9, 14}},
                    FindCase{"The THE other the", "the", true, {9, 14}},
                    // Only A to Z fold: accented letters match in their own case alone.
                    FindCase{"\xC3\xA9t\xC3\xA9 \xC3\x89T\xC3\x89 \xC3\xA9T\xC3\xA9",
                             "\xC3\xA9t\xC3\xA9",
                             false,
                             {0, 8}},
                    FindCase{
                        "\xC3\xA9t\xC3\xA9 \xC3\x89T\xC3\x89", "\xC3\x89t\xC3\x89", false, {4}},
                    // Occurrences never overlap.
                    FindCase{"aaaa", "aa", false, {0, 2}}, FindCase{"a a a", "a", true, {0, 2, 4}},
                    FindCase{"abc", "", false, {}}, FindCase{"ab", "abc", false, {}}),
    IndexNames());

TEST(Find, FromAPlaceOn) {
    const QString text = QStringLiteral("the lamp, the light");
    EXPECT_EQ(TextFinder::find(text, u"the", 0, false), 0);
    EXPECT_EQ(TextFinder::find(text, u"the", 1, false), 10);
    EXPECT_EQ(TextFinder::find(text, u"THE", 11, false), -1);
    EXPECT_EQ(TextFinder::find(text, u"the", text.size(), false), -1);
    EXPECT_EQ(TextFinder::find(text, u"the", -1, false), -1);
    EXPECT_TRUE(TextFinder::same(u"Lamp", u"lAMP", false));
    EXPECT_FALSE(TextFinder::same(u"Lamp", u"lamp", true));
    EXPECT_FALSE(TextFinder::same(u"\u00C9", u"\u00E9", false));
}

} // namespace

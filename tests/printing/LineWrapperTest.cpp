#include "printing/LineWrapper.h"

#include <gtest/gtest.h>

namespace {

// Every character is 10 wide and a W 25, so a width of 80 holds eight ordinary characters; a
// surrogate pair is one character.
int measure(const QString& text) {
    int width = 0;
    for (char32_t c : text.toUcs4())
        width += c == U'W' ? 25 : 10;
    return width;
}

std::string wrapped(const char* text, int width) {
    return LineWrapper::wrap(QString::fromUtf8(text), width, measure).join(u'|').toStdString();
}

struct WrapCase {
    const char* name;
    const char* text;
    int width;
    const char* lines;
};

void PrintTo(const WrapCase& c, std::ostream* os) {
    *os << c.name;
}

class Wrap : public testing::TestWithParam<WrapCase> {};

TEST_P(Wrap, Lines) {
    const WrapCase& c = GetParam();
    EXPECT_EQ(wrapped(c.text, c.width), c.lines);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Wrap,
    testing::Values(
        WrapCase{"Empty", "", 80, ""}, WrapCase{"OnlyBreaks", "\r\n\r\n", 80, ""},
        WrapCase{"ExactlyTheWidth", "abcdefgh", 80, "abcdefgh"},
        WrapCase{"CutAfterTheLastBreak", "Hello, world", 80, "Hello, |world"},
        // The overflowing break character stays on the line; the next starts after it.
        WrapCase{"OverflowingFullStop", "abcdefgh. next", 80, "abcdefgh.| next"},
        WrapCase{"OverflowingSpace", "abcdefgh ijk", 80, "abcdefgh |ijk"},
        WrapCase{"FirstCharacterIsNoBreak", "-abcdefghij", 80, "-abcdefg|hij"},
        WrapCase{"WordLongerThanTheLine", "abcdefghijklmnopqrst", 80, "abcdefgh|ijklmnop|qrst"},
        WrapCase{"TabsDropped", "abcd\t\t\t\tefgh\tij", 80, "abcdefgh|ij"},
        WrapCase{"OtherControlsDropped",
                 "a\x01"
                 "b\x1b"
                 "c",
                 80, "abc"},
        WrapCase{"BlankLinesKept", "\r\none\r\n\r\ntwo", 80, "|one||two"},
        WrapCase{"TrailingBlankLinesDropped", "one\r\n\r\n\t\r\n\r\n", 80, "one"},
        WrapCase{"LoneBreaks", "one\ntwo\rthree\n\rfour", 80, "one|two|three||four"},
        // A paragraph whose last character fills the line ends there, without a blank line.
        WrapCase{"NoBlankLineAfterAFullLine", "abcdefgh.\r\nnext", 80, "abcdefgh.|next"},
        WrapCase{"BlankLineAfterAFullLineKept", "abcdefgh.\r\n\r\nnext", 80, "abcdefgh.||next"},
        WrapCase{"SurrogatePairKeptWhole", "abcdefgh\U0001F600x", 80, "abcdefgh|\U0001F600x"},
        WrapCase{"WideCharacters", "WWWW", 80, "WWW|W"},
        WrapCase{"CharacterWiderThanTheLine", "WWW", 20, "W|W|W"},
        WrapCase{"NoWidthAtAll", "a b", -5, "a |b"}),
    [](const testing::TestParamInfo<WrapCase>& info) { return std::string(info.param.name); });

class BreakCharacter : public testing::TestWithParam<char> {};

TEST_P(BreakCharacter, CutsTheLine) {
    const char c = GetParam();
    const QString text = QStringLiteral("abc") + QLatin1Char(c) + QStringLiteral("defghij");
    const bool breaks = QStringLiteral(" !\"',-.:;?").contains(QLatin1Char(c));
    EXPECT_EQ(LineWrapper::isBreakCharacter(QLatin1Char(c)), breaks) << c;
    const QString expected = breaks ? QStringLiteral("abc") + QLatin1Char(c) + "|defghij"
                                    : QStringLiteral("abc") + QLatin1Char(c) + "defg|hij";
    EXPECT_EQ(LineWrapper::wrap(text, 80, measure).join(u'|').toStdString(), expected.toStdString())
        << c;
}

INSTANTIATE_TEST_SUITE_P(Characters, BreakCharacter,
                         testing::Values(' ', '!', '"', '\'', ',', '-', '.', ':', ';', '?', '/',
                                         '(', ')', '_', '&'));

} // namespace

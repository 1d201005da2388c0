#include "editor/WordCount.h"
#include "common/TextCodec.h"

#include "support/IndexNames.h"

#include <gtest/gtest.h>

namespace {

struct LineCase {
    const char* line;
    int words;
};

class CountLine : public testing::TestWithParam<LineCase> {};

// Each line counts the same as a string, as the bytes of a file, and as the only line of a
// longer text.
TEST_P(CountLine, ByTheRule) {
    const LineCase& c = GetParam();
    const QString line = QString::fromUtf8(c.line);
    EXPECT_EQ(WordCount::CountLineWords(line), c.words) << c.line;
    EXPECT_EQ(WordCount::CountWords(QByteArrayView(c.line)), c.words) << c.line;
    EXPECT_EQ(WordCount::CountWords(QStringLiteral("\r\n") + line + QStringLiteral("\r\n")),
              c.words)
        << c.line;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, CountLine,
    testing::Values(LineCase{"The cat sat", 3}, LineCase{"  The   cat  ", 2},
                    LineCase{"Chapter 12 begins", 2}, LineCase{"Chapter 12", 2},
                    LineCase{"Wait ! what", 2}, LineCase{"Wait !", 2}, LineCase{"Wait - what", 3},
                    // A tab is part of a token.
                    LineCase{"one\ttwo three", 2}, LineCase{"$FF and 0x10 and -5 end", 3},
                    LineCase{"", 0}, LineCase{"     ", 0}, LineCase{"12 ", 0},
                    LineCase{"12 34 56", 1}, LineCase{"+7 x1F $ #", 1},
                    // Out of range, or not wholly a number: words.
                    LineCase{"2147483647 2147483648 -2147483648 -2147483649 end", 3},
                    LineCase{"$7FFFFFFF $80000000 0x 0X1g 12a end", 5}, LineCase{"- + x $ end", 4},
                    LineCase{"\xC3\xA9 \xE2\x80\x94 end", 3},
                    LineCase{"\"Skerrow,\" said Tam.", 3}),
    IndexNames());

// A text's lines are its own, whatever breaks them: wrapping in a window changes nothing, and a
// number that ends a line counts there.
TEST(CountWords, OverTheTextsOwnLines) {
    EXPECT_EQ(WordCount::CountWords(QStringLiteral("Chapter 12\r\nbegins 3 here")), 4);
    EXPECT_EQ(WordCount::CountWords(QStringLiteral("Chapter 12\nbegins\r3 here")), 4);
    EXPECT_EQ(WordCount::CountWords(QByteArrayView("Chapter 12\nbegins\r3 here")), 4);
    EXPECT_EQ(WordCount::CountWords(QStringLiteral("a\r\n\r\n\r\nb")), 2);
}

// Counting a file's bytes needs no decoding: UTF-8 or Windows-1252, the count is the decoded
// text's.
TEST(CountWords, BytesCountAsTheirText) {
    const char* texts[] = {"5 \xE9t\xE9 ! caf\xC3\xA9", " 1 2",
                           "na\xEFve 42 r\xE9sum\xE9\r\n\x93Quoted\x94 ,",
                           "\xE2\x80\x9CQuoted\xE2\x80\x9D , 7"};
    for (const char* bytes : texts)
        EXPECT_EQ(WordCount::CountWords(QByteArrayView(bytes)),
                  WordCount::CountWords(TextCodec::decode(QByteArray(bytes))))
            << bytes;
}

// A file's bytes are counted many at a time; every mix of tokens, numbers, separators and
// breaks, wherever they fall, counts as the text does one character at a time.
TEST(CountWords, LongTextsCountAsTheirCharacters) {
    const char* tokens[] = {"keeper", "12", "-5",         "$FF",         "0x1F",
                            "x",      "X9", "!",          "\"",          "(",
                            ")",      "~",  "[a]",        "{",           "|",
                            "@",      "\\", "2147483648", "caf\xC3\xA9", "\xE2\x80\x94",
                            "a\tb",   "-",  "+",          "$",           "x-ray",
                            "'"};
    const char* breaks[] = {" ", "  ", "\r\n", "\n", "\r", " \r\n", "   "};
    unsigned seed = 12345;
    auto next = [&seed](unsigned n) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % n;
    };
    for (int round = 0; round < 50; ++round) {
        QByteArray bytes;
        const int length = 1 + static_cast<int>(next(4000));
        while (bytes.size() < length) {
            bytes += tokens[next(std::size(tokens))];
            bytes += breaks[next(std::size(breaks))];
        }
        // Cut anywhere, so that the text may end inside a token or a break.
        bytes.truncate(length);
        EXPECT_EQ(WordCount::CountWords(QByteArrayView(bytes)),
                  WordCount::CountWords(TextCodec::decode(bytes)))
            << bytes.toStdString();
    }
}

TEST(Formatted, ThousandsSeparatedByTheLocale) {
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    EXPECT_EQ(WordCount::formatted(1234567, english), QStringLiteral("1,234,567"));
    EXPECT_EQ(WordCount::formatted(0, english), QStringLiteral("0"));
    EXPECT_EQ(WordCount::formatted(999, english), QStringLiteral("999"));
    EXPECT_EQ(WordCount::formatted(1234567, QLocale(QLocale::German)), QStringLiteral("1.234.567"));
    // The C locale of a bare system still groups.
    EXPECT_EQ(WordCount::formatted(1234567, QLocale::c()), QStringLiteral("1,234,567"));
}

} // namespace

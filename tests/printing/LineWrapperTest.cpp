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

// The wrapping as first written, measuring the line again at every character it reads: what
// the wrapper must still produce.
QStringList wrappedCharByChar(const QString& text, int width, const LineWrapper::Measure& m) {
    const QList<uint> chars = text.toUcs4();
    QList<qsizetype> buffer; // indexes into chars
    auto str = [&chars](const QList<qsizetype>& at) {
        QString s;
        for (const qsizetype i : at)
            s += QString::fromUcs4(reinterpret_cast<const char32_t*>(&chars[i]), 1);
        return s;
    };
    QStringList lines;
    bool justWrapped = false;
    qsizetype i = 0;
    while (i < chars.size()) {
        const uint c = chars[i];
        if (c == '\r' || c == '\n') {
            if (!buffer.isEmpty() || !justWrapped)
                lines << str(buffer);
            buffer.clear();
            justWrapped = false;
            i += (c == '\r' && i + 1 < chars.size() && chars[i + 1] == '\n') ? 2 : 1;
            continue;
        }
        if (c < 32) {
            ++i;
            continue;
        }
        buffer << i;
        justWrapped = false;
        if (buffer.size() == 1 || m(str(buffer)) <= width) {
            ++i;
            continue;
        }
        qsizetype cut = buffer.size() - 1;
        while (cut >= 1 && !LineWrapper::isBreakCharacter(QChar(char16_t(chars[buffer[cut]]))))
            --cut;
        if (cut >= 1) {
            lines << str(buffer.first(cut + 1));
            i = buffer[cut] + 1;
        } else {
            lines << str(buffer.first(buffer.size() - 1));
            i = buffer.last();
        }
        buffer.clear();
        justWrapped = true;
    }
    if (!buffer.isEmpty())
        lines << str(buffer);
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// Widths that are not a plain sum: "AV" and "To" kern together, and a capital is wider.
int kerned(const QString& text) {
    int width = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        width += c.isUpper() ? 14 : c == u' ' ? 5 : 9;
        if (i > 0 && ((text[i - 1] == u'A' && c == u'V') || (text[i - 1] == u'T' && c == u'o')))
            width -= 4;
    }
    return width;
}

struct LongCase {
    const char* name;
    int width;
};

void PrintTo(const LongCase& c, std::ostream* os) {
    *os << c.name;
}

class LongText : public testing::TestWithParam<LongCase> {};

// A long text costs a few measurements a line (more where kerning spoils the guess), not one a
// character (a printout of a whole book once took minutes), and wraps exactly as measuring at
// every character does.
TEST_P(LongText, AFewMeasurementsALineAndTheSameLines) {
    QString text;
    for (int i = 0; i < 300; ++i)
        text +=
            QStringLiteral("To AVERT the storm, the keeper climbed the stair; the lamp turned. ");
    text += QStringLiteral("\r\n\r\nAn-extraordinarily-long-hyphenated-word\tand "
                           "Wwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwww\r\n");
    text += text;
    int measured = 0;
    const QStringList lines =
        LineWrapper::wrap(text, GetParam().width, [&measured](const QString& piece) {
            ++measured;
            return kerned(piece);
        });
    EXPECT_EQ(lines, wrappedCharByChar(text, GetParam().width, kerned));
    EXPECT_LT(measured, 10 * lines.size() + 100) << measured << " for " << lines.size() << " lines";
}

INSTANTIATE_TEST_SUITE_P(Widths, LongText,
                         testing::Values(LongCase{"Narrow", 60}, LongCase{"Column", 400},
                                         LongCase{"Page", 1500}, LongCase{"Wide", 6000}),
                         [](const testing::TestParamInfo<LongCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(Wrap, TheFirstWrapperAgreesOnTheTable) {
    for (const char* text : {"Hello, world", "abcdefgh. next", "-abcdefghij", "a\tb\r\n\r\nc"})
        EXPECT_EQ(LineWrapper::wrap(QString::fromUtf8(text), 80, measure),
                  wrappedCharByChar(QString::fromUtf8(text), 80, measure))
            << text;
}

} // namespace

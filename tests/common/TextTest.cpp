#include "common/AsciiCase.h"
#include "common/ColourString.h"
#include "common/Cp1252.h"
#include "common/TextCodec.h"

#include "support/IndexNames.h"

#include <gtest/gtest.h>

namespace {

struct ColourCase {
    const char* text;
    bool valid;
    int red, green, blue;
};

class Colour : public testing::TestWithParam<ColourCase> {};

TEST_P(Colour, ReadsBlueGreenRed) {
    const ColourCase& c = GetParam();
    const auto rgb = ColourString::parse(QString::fromLatin1(c.text));
    ASSERT_EQ(rgb.has_value(), c.valid) << c.text;
    if (c.valid) {
        EXPECT_EQ(*rgb, (ColourString::Rgb{c.red, c.green, c.blue})) << c.text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Strings, Colour,
    testing::Values(ColourCase{"FF0000", true, 0, 0, 255}, ColourCase{"0000FF", true, 255, 0, 0},
                    ColourCase{"00ff00", true, 0, 255, 0},
                    ColourCase{"DDDDDD", true, 221, 221, 221}, ColourCase{"1", true, 1, 0, 0},
                    ColourCase{"12345678", true, 0x78, 0x56, 0x34},
                    ColourCase{"123456789", false, 0, 0, 0}, ColourCase{"", false, 0, 0, 0},
                    ColourCase{" FF", false, 0, 0, 0}, ColourCase{"-1", false, 0, 0, 0},
                    ColourCase{"FG0000", false, 0, 0, 0}, ColourCase{"$FF", false, 0, 0, 0}),
    IndexNames());

TEST(Cp1252, EveryByteRoundTripsThroughUnicode) {
    for (int b = 0; b < 256; ++b) {
        const char32_t cp = kerfa::cp1252::toUnicode(static_cast<std::uint8_t>(b));
        const auto back = kerfa::cp1252::fromUnicode(cp);
        ASSERT_TRUE(back.has_value()) << b;
        EXPECT_EQ(*back, b);
    }
    EXPECT_FALSE(kerfa::cp1252::fromUnicode(U'\u0100').has_value());
    EXPECT_EQ(kerfa::cp1252::toUnicode(0x80), U'\u20AC');
}

TEST(Cp1252, Utf8Validation) {
    EXPECT_TRUE(kerfa::cp1252::isValidUtf8("plain \xC3\xA9 \xE2\x82\xAC \xF0\x9F\x93\x96"));
    for (const char* bad : {"\xE9", "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xE2\x82"})
        EXPECT_FALSE(kerfa::cp1252::isValidUtf8(bad)) << bad;
}

TEST(TextCodec, LineBreaksBecomeCrLf) {
    EXPECT_EQ(TextCodec::toCrLf(QStringLiteral("a\nb\rc\r\nd\n\n")),
              QStringLiteral("a\r\nb\r\nc\r\nd\r\n\r\n"));
}

TEST(AsciiCase, FoldsOnlyAToZ) {
    EXPECT_TRUE(AsciiCase::equal(u"Novel.KERFA", u"novel.kerfa"));
    EXPECT_FALSE(AsciiCase::equal(u"\u00C9t\u00E9", u"\u00E9t\u00E9"));
    EXPECT_EQ(AsciiCase::lower(u"The LAMP \u00C9"), QStringLiteral("the lamp \u00C9"));
    // A Latin-1 name against any text: its letters beyond Z match only themselves.
    EXPECT_TRUE(AsciiCase::equal(QLatin1StringView("Dialog.Options"), u"dialog.OPTIONS"));
    EXPECT_TRUE(AsciiCase::equal(QLatin1StringView("\xC9t\xE9"), u"\u00C9t\u00E9"));
    EXPECT_FALSE(AsciiCase::equal(QLatin1StringView("\xC9t\xE9"), u"\u00E9t\u00E9"));
    EXPECT_FALSE(AsciiCase::equal(QLatin1StringView("k"), u"\u212A"));
    EXPECT_FALSE(AsciiCase::equal(QLatin1StringView("Options"), u"Option"));
}

} // namespace

// Ignore rules: markup and internet addresses skipped during the walk, and the judges that
// accept unknown words (capitals, digits, entities, abbreviations, quoted lines).

#include "spelling/TParserIgnoreList.h"
#include "spelling/TAbbreviationsIgnore.h"
#include "spelling/TMainParsingEngine.h"
#include "spelling/TNumbersIgnore.h"
#include "spelling/TStringParser.h"
#include "spelling/TURLIgnore.h"
#include "spelling/TUppercaseWordIgnore.h"

#include <gtest/gtest.h>

using namespace kerfa::spelling;
using Words = std::vector<std::string>;

namespace {

Words walk(const std::string& text, TSpellOptions options) {
    TStringParser parser(text);
    TMainParsingEngine engine;
    TParserIgnoreList rules;
    rules.Rebuild(options, ">");
    rules.Connect(engine);
    engine.Start(parser, TMainParsingEngine::smWholeText);
    Words out;
    for (std::string w = engine.NextWord(); !w.empty(); w = engine.NextWord())
        out.push_back(w);
    return out;
}

} // namespace

TEST(SpellingIgnoreRules, MarkupIsSkipped) {
    struct Case {
        const char* text;
        Words expected;
    };
    const std::vector<Case> cases = {
        {"<b>bold</b> ", {"bold"}},
        {"<!-- a comment -->c ", {"c"}},
        {"<!-- x -- y --> after ", {"after"}},
        {"<a href=\"x.html\" title='t'>link</a> ", {"link"}},
        {"<?php echo $x ?>word ", {"word"}},
        {"<% code %>word ", {"word"}},
        {"<!DOCTYPE html>doc ", {"doc"}},
        {"x &lt; y ", {"x", "&lt", "y"}},
        {"unclosed <tag never ends", {"unclosed"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(walk(c.text, {soHTML}), c.expected) << c.text;
    EXPECT_EQ(walk("<b>bold</b> ", {}), (Words{"b", "bold", "b"}));
}

TEST(SpellingIgnoreRules, InternetAddressesAreSkipped) {
    struct Case {
        const char* text;
        Words expected;
    };
    const std::vector<Case> cases = {
        {"see http://example.com/a.html now ", {"see", "now"}},
        {"see HTTPS://example.com/x?y=1 now ", {"see", "now"}},
        {"mail bob@example.org today ", {"mail", "today"}},
        {"write to mailto:bob@example.org, thanks ", {"write", "to", "thanks"}},
        {"at www.kerfa.org/path/page end ", {"at", "end"}},
        {"at www.kerfa.org end ", {"at", "www.kerfa.org", "end"}},
        {"(ftp://host/file) done ", {"done"}},
        {"ratio 2:1 and time: now ", {"ratio", "2", "1", "and", "time", "now"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(walk(c.text, {soInternet}), c.expected) << c.text;
}

TEST(SpellingIgnoreRules, JudgesOfUnknownWords) {
    struct Case {
        TSpellOption option;
        const char* word;
        bool accepted;
    };
    const std::vector<Case> cases = {
        {soAbbreviations, "e.g.", true}, {soAbbreviations, "U.S.A.", true},
        {soAbbreviations, "i.e", true},  {soAbbreviations, "etc.", false},
        {soAbbreviations, "end", false}, {soAbbreviations, "Ph.D.", false},
        {soUpcase, "NASA", true},        {soUpcase, "\xC9T\xC9", true},
        {soUpcase, "Nasa", false},       {soUpcase, "\xC9t\xE9", false},
        {soUpcase, "\x8A\x8C", true},    {soUpcase, "\x9A", false},
        {soNumbers, "42", true},         {soNumbers, "B2B", true},
        {soNumbers, "forty", false},     {soHTML, "&amp", true},
        {soHTML, "amp", false},          {soInternet, "WWW.kerfa.org", true},
        {soInternet, "www", false},
    };
    TStringParser text("plain line ");
    for (const auto& c : cases) {
        TParserIgnoreList rules;
        rules.Rebuild({c.option}, ">");
        EXPECT_EQ(rules.Accepts(c.word, text), c.accepted) << c.word;
        TParserIgnoreList none;
        none.Rebuild({}, ">");
        EXPECT_FALSE(none.Accepts(c.word, text)) << c.word;
    }
}

TEST(SpellingIgnoreRules, QuotedLinesAreAccepted) {
    TStringParser text("plain wurd\r\n> quoted wurd\r\n>also\r\n");
    TMainParsingEngine engine;
    TParserIgnoreList rules;
    rules.Rebuild({soQuoted}, ">|");
    rules.Connect(engine);
    engine.Start(text, TMainParsingEngine::smWholeText);
    std::vector<std::pair<std::string, bool>> judged;
    for (std::string w = engine.NextWord(); !w.empty(); w = engine.NextWord())
        judged.emplace_back(w, rules.Accepts(w, text));
    EXPECT_EQ(
        judged,
        (std::vector<std::pair<std::string, bool>>{
            {"plain", false}, {"wurd", false}, {"quoted", true}, {"wurd", true}, {"also", true}}));
}

TEST(SpellingIgnoreRules, RulesFollowTheOptions) {
    TParserIgnoreList rules;
    rules.Rebuild({soInternet, soUpcase, soNumbers, soHTML, soQuoted, soAbbreviations}, ">");
    EXPECT_EQ(rules.Size(), 6u);
    rules.Rebuild({soRepeated, soDUalCaps, soPrimaryOnly}, ">");
    EXPECT_EQ(rules.Size(), 0u);
    EXPECT_EQ(TSpellOptions({soLiveSpelling, soUser4}).Bits(), 0x4001);
}

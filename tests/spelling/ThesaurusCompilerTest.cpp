// The thesaurus compiler's round trip: every head word of a source is found in the compiled
// file with its meanings and lists intact, in both layouts, for a small source and for the
// shipped English thesaurus compiled from Debian's mythes-en-us; and the source reader's
// handling of text that does not fit.

#include "thesc/ThesaurusCompiler.h"
#include "AdtLayout.h"
#include "TestFolder.h"
#include "ThesaurusSource.h"
#include "common/Cp1252.h"
#include "spelling/TThesaurusFile.h"
#include "thesc/MythesThesaurus.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <sstream>

using kerfa::spelling::TThesaurusEntry;
using kerfa::spelling::TThesaurusFile;
using kerfa::thesc::MythesThesaurus;
using kerfa::thesc::ThesaurusCompiler;

namespace {

struct Context {
    std::string head;
    int kind;
    std::vector<std::string> words;
};

// The contexts as the dialog shows them: head word, kind, the shown list; the other three lists
// must be empty.
std::vector<Context> contextsOf(const TThesaurusFile& file, const std::string& word) {
    std::vector<TThesaurusEntry> meanings;
    file.Lookup(word, meanings);
    std::vector<Context> out;
    for (const auto& m : meanings) {
        for (std::size_t i = 0; i < m.lists.size(); ++i)
            if (i != m.ShownList() && !m.lists[i].empty())
                ADD_FAILURE() << word << ": words outside the shown list of " << m.headWord;
        out.push_back({m.headWord, m.kind, m.lists[m.ShownList()]});
    }
    return out;
}

bool operator==(const Context& a, const Context& b) {
    return a.head == b.head && a.kind == b.kind && a.words == b.words;
}

std::ostream& operator<<(std::ostream& out, const Context& c) {
    out << "{" << c.head << ", " << c.kind << ",";
    for (const auto& w : c.words)
        out << " " << w;
    return out << "}";
}

class ThesaurusRoundTrip : public testing::TestWithParam<bool> {};

} // namespace

TEST_P(ThesaurusRoundTrip, SmallSourceComesBackAsWritten) {
    TestFolder folder;
    const std::string path = folder.File("small.adt");
    TestFolder::Write(path, compileSource(kSmallSource, GetParam()));
    TThesaurusFile file;
    file.SetFileName(path);
    ASSERT_TRUE(file.SetLoaded(true));
    EXPECT_EQ(file.IsWide(), GetParam());
    EXPECT_EQ(file.Name(), "Test");
    EXPECT_EQ(file.KindName(0), "antonym");
    EXPECT_EQ(file.KindName(3), "verb");

    const std::vector<std::pair<std::string, std::vector<Context>>> expected = {
        {"happy",
         {{"happy", 2, {"blessed", "glad"}},
          {"unhappy", 0, {"unhappy"}},
          {"felicitous", 2, {"felicitous", "fortunate"}},
          {"glad", 2, {"glad", "willing"}},
          {"well-chosen", 2, {"well-chosen", "felicitous"}}}},
        {"bush",
         {{"shrub", 1, {"shrub", "woody plant"}},
          {"Bush", 1, {"Bush", "George Bush", "President"}},
          {"bush", 3, {"supply"}}}},
        {"cat", {{"true cat", 1, {"true cat", "feline"}}, {"kat", 1, {"kat", "khat"}}}},
        {"catalogue", {{"catalog", 1, {"catalog", "list"}}}},
        {"glad", {{"happy", 2, {"happy", "willing"}}, {"sad", 0, {"sad"}}}},
        {"na\xEFve",
         {{"ingenuous", 2, {"ingenuous", "unworldly"}}, {"sophisticated", 0, {"sophisticated"}}}},
        {"quickly", {{"rapidly", 4, {"rapidly", "speedily"}}, {"slowly", 0, {"slowly"}}}},
    };
    for (const auto& [word, contexts] : expected)
        EXPECT_EQ(contextsOf(file, word), contexts) << word;
}

INSTANTIATE_TEST_SUITE_P(Layouts, ThesaurusRoundTrip, testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Wide" : "Narrow"; });

TEST(ThesaurusCompiler, SharesIdenticalEntriesAndPacksLongTails) {
    ThesaurusCompiler compiler;
    const ThesaurusCompiler::Lists lists = {{{"canine", "dog"}, {}, {}, {}}};
    compiler.AddMeaning("dog", 1, "canine", lists);
    compiler.AddMeaning("canine", 1, "canine", lists);
    compiler.AddMeaning("dog", 1, "canine", lists); // the same meaning twice is kept once
    EXPECT_EQ(compiler.EntryCount(), 1u);
    const auto image = compiler.Build("T", MythesThesaurus::kKindNames, false);
    const std::string bytes(image.begin(), image.end());
    const AdtLayout layout(bytes);
    EXPECT_EQ(layout.entryCount, 1u);
    std::uint32_t chains = 0;
    for (std::uint32_t n = 0; n < layout.nodeCount; ++n)
        chains += (layout.FlagsOf(bytes, n) & kerfa::spelling::kNodeChainStart) != 0;
    EXPECT_EQ(chains, 2u); // "anine" below c, "og" below d

    TestFolder folder;
    TestFolder::Write(folder.File("t.adt"), bytes);
    TThesaurusFile file;
    file.SetFileName(folder.File("t.adt"));
    ASSERT_TRUE(file.SetLoaded(true));
    EXPECT_EQ(contextsOf(file, "dog"), (std::vector<Context>{{"canine", 1, {"canine", "dog"}}}));
    EXPECT_EQ(contextsOf(file, "canine"), contextsOf(file, "dog"));
}

TEST(ThesaurusCompiler, NarrowLayoutRefusesWhatItCannotHold) {
    // 13,107 entries fill the narrow meaning references (13,107 × 5 = 65,535 + 1).
    for (const int entries : {13107, 13108}) {
        ThesaurusCompiler compiler;
        for (int i = 0; i < entries; ++i)
            compiler.AddMeaning("w" + std::to_string(i), 1, "h" + std::to_string(i), {});
        EXPECT_EQ(compiler.Build("T", MythesThesaurus::kKindNames, false).empty(), entries > 13107)
            << entries;
        EXPECT_FALSE(compiler.Build("T", MythesThesaurus::kKindNames, true).empty());
    }
    ThesaurusCompiler nodes;
    for (int i = 0; i < 40000; ++i) // spread over the numbers below a million
        nodes.AddMeaning("w" + std::to_string(i * 7919 % 1000003), 1, "w", {});
    EXPECT_GT(nodes.NodeCount(), 65536u);
    EXPECT_TRUE(nodes.Build("T", MythesThesaurus::kKindNames, false).empty());
    EXPECT_FALSE(nodes.Error().empty());
    EXPECT_FALSE(nodes.Build("T", MythesThesaurus::kKindNames, true).empty());
}

TEST(ThesaurusSourceReader, KeepsWhatFitsAndCountsTheRest) {
    struct Case {
        const char* name;
        std::string source;
        std::size_t heads, meanings, skippedTerms, skippedMeanings, strayLines;
    };
    const std::vector<Case> cases = {
        {"CR LF line ends", "UTF-8\r\nox|1\r\n(noun)|bull\r\n", 1, 1, 0, 0, 0},
        {"fewer meanings than counted", "UTF-8\nox|3\n(noun)|bull\nyak|1\n(noun)|ox\n", 2, 2, 0, 0,
         0},
        {"a meaning line out of place", "UTF-8\n(noun)|stray\nox|1\n(noun)|bull\n", 1, 1, 0, 0, 1},
        {"a head line without a count", "UTF-8\nox\nyak|1\n(noun)|ox\n", 1, 1, 0, 0, 1},
        {"an unknown part of speech", "UTF-8\nox|2\n(pron)|it\n(noun)|bull\n", 1, 1, 0, 1, 0},
        {"terms beyond the code page",
         "UTF-8\nox|1\n(noun)|\xCE\xB2\xCE\xBF\xCF\x8D\xCF\x82|bull\n", 1, 1, 1, 0, 0},
        {"a meaning with no usable term", "UTF-8\nox|1\n(noun)| |\n", 0, 0, 2, 1, 0},
        {"Latin-1 bytes as they stand", "ISO8859-1\nna\xEFve|1\n(adj)|green\n", 1, 1, 0, 0, 0},
        {"invalid UTF-8 head word", "UTF-8\nna\xEFve|1\n(adj)|green\n", 0, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        MythesThesaurus source;
        source.Parse(c.source);
        EXPECT_EQ(source.Heads().size(), c.heads) << c.name;
        EXPECT_EQ(source.MeaningCount(), c.meanings) << c.name;
        EXPECT_EQ(source.SkippedTerms(), c.skippedTerms) << c.name;
        EXPECT_EQ(source.SkippedMeanings(), c.skippedMeanings) << c.name;
        EXPECT_EQ(source.StrayLines(), c.strayLines) << c.name;
    }
    MythesThesaurus latin1;
    latin1.Parse("ISO8859-1\nna\xEFve|1\n(adj)|green\n");
    ASSERT_EQ(latin1.Heads().size(), 1u);
    EXPECT_EQ(latin1.Heads()[0].word, "na\xEFve");
}

// The shipped thesaurus against Debian's source, read here on its own terms: every head word
// is found, with one context per meaning (and one more for its antonyms) holding every term.
TEST(EnglishThesaurus, HoldsEveryHeadWordOfMythesWithItsMeanings) {
    TThesaurusFile file;
    file.SetFileName(KERFA_THESAURUS_ADT);
    ASSERT_TRUE(file.SetLoaded(true));
    EXPECT_TRUE(file.IsWide());
    EXPECT_EQ(file.Name(), "English");
    // Far past what the narrow layout can number.
    EXPECT_GT(file.NodeCount(), 65536u);
    EXPECT_GT(file.EntryCount(), 13107u);

    std::ifstream in(KERFA_MYTHES_DATA);
    ASSERT_TRUE(in);
    std::string line;
    std::getline(in, line);
    ASSERT_EQ(line, "UTF-8");
    const auto toCodePage = [](const std::string& utf8) {
        std::string out;
        EXPECT_TRUE(kerfa::cp1252::fromUtf8(utf8, out)) << utf8;
        return out;
    };
    const auto addOnce = [](std::vector<std::string>& list, const std::string& w) {
        if (std::find(list.begin(), list.end(), w) == list.end())
            list.push_back(w);
    };
    const std::vector<std::string> parts = {"(noun)", "(adj)", "(verb)", "(adv)"};
    const std::vector<std::string> tags = {" (similar term)", " (related term)", " (generic term)",
                                           " (antonym)"};
    std::size_t heads = 0, meanings = 0, wrong = 0;
    while (std::getline(in, line)) {
        const auto bar = line.rfind('|');
        const std::string head = toCodePage(line.substr(0, bar));
        const int count = std::stoi(line.substr(bar + 1));
        std::vector<Context> expected;
        for (int i = 0; i < count && std::getline(in, line); ++i, ++meanings) {
            std::stringstream fields(line);
            std::string field;
            std::getline(fields, field, '|');
            const int kind =
                static_cast<int>(std::find(parts.begin(), parts.end(), field) - parts.begin() + 1);
            std::array<std::vector<std::string>, 5> byTag; // synonyms, then the tags in order
            while (std::getline(fields, field, '|')) {
                std::size_t tag = 0;
                while (tag < tags.size() && !field.ends_with(tags[tag]))
                    ++tag;
                const std::string term =
                    tag < tags.size() ? field.substr(0, field.size() - tags[tag].size()) : field;
                byTag[tag < tags.size() ? tag + 1 : 0].push_back(toCodePage(term));
            }
            std::vector<std::string> words, antonyms;
            for (int t = 0; t < 4; ++t)
                for (const auto& w : byTag[t])
                    addOnce(words, w);
            for (const auto& w : byTag[4])
                addOnce(antonyms, w);
            // A context that repeats an earlier one (the same antonyms under two meanings) is
            // listed once.
            const auto add = [&](Context c) {
                if (std::find(expected.begin(), expected.end(), c) == expected.end())
                    expected.push_back(std::move(c));
            };
            if (!words.empty())
                add({byTag[0].empty() ? head : byTag[0][0], kind, words});
            if (!antonyms.empty())
                add({antonyms[0], 0, antonyms});
        }
        ++heads;
        const auto found = contextsOf(file, head);
        if (found != expected && ++wrong <= 5) {
            ADD_FAILURE() << "head word " << head << ": " << found.size() << " contexts, "
                          << expected.size() << " expected";
        }
    }
    EXPECT_EQ(wrong, 0u);
    EXPECT_EQ(heads, 145866u);
    EXPECT_EQ(meanings, 203947u);
}

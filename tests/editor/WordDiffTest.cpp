#include "editor/WordDiff.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using Kind = WordDiff::Kind;
using Pieces = QList<WordDiff::Piece>;

// The earlier text is what the shared and removed pieces spell; the later one, the shared and
// added ones.
QString spelt(const Pieces& pieces, Kind without) {
    QString text;
    for (const WordDiff::Piece& p : pieces)
        if (p.kind != without)
            text += p.text;
    return text;
}

QString marked(const Pieces& pieces) {
    QString text;
    for (const WordDiff::Piece& p : pieces)
        text += p.kind == Kind::Same      ? p.text
                : p.kind == Kind::Removed ? u'[' + p.text + u']'
                                          : u'{' + p.text + u'}';
    return text;
}

struct DiffCase {
    const char* name;
    const char* before;
    const char* after;
    const char* marked; // [removed] {added}
};

class WordDiffCases : public testing::TestWithParam<DiffCase> {};

TEST_P(WordDiffCases, MarksTheChangedWords) {
    const DiffCase& c = GetParam();
    const QString before = QString::fromUtf8(c.before);
    const QString after = QString::fromUtf8(c.after);
    const Pieces pieces = WordDiff::compare(before, after);
    EXPECT_EQ(marked(pieces), QString::fromUtf8(c.marked));
    EXPECT_EQ(spelt(pieces, Kind::Added), before);
    EXPECT_EQ(spelt(pieces, Kind::Removed), after);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WordDiffCases,
    testing::Values(
        DiffCase{"unchanged", "The sea was calm.", "The sea was calm.", "The sea was calm."},
        DiffCase{"one_word", "The sea was calm.", "The sea was wild.", "The sea was [calm]{wild}."},
        DiffCase{"added_words", "She ran.", "She ran home at dawn.", "She ran{ home at dawn}."},
        DiffCase{"removed_at_start", "Then she ran.", "She ran.", "[Then she]{She} ran."},
        DiffCase{"punctuation_alone", "Stop, she said.", "Stop! she said.", "Stop[,]{!} she said."},
        DiffCase{"whole_word_not_part", "catalogue", "catalog", "[catalogue]{catalog}"},
        DiffCase{"apostrophe_inside", "Anna's lamp", "Anna’s lamp", "[Anna's]{Anna’s} lamp"},
        DiffCase{"accented", "Café noir.", "Café crème.", "Café [noir]{crème}."},
        DiffCase{"new_paragraph", "One.\nTwo.", "One.\nNew.\nTwo.", "One.\n{New.\n}Two."},
        DiffCase{"from_nothing", "", "All new.", "{All new.}"},
        DiffCase{"to_nothing", "All gone.", "", "[All gone.]"}),
    [](const auto& info) { return std::string(info.param.name); });

// As the comparison window shows it: what went and what came never run together into one
// word, and nothing is added where a blank or a line break already parts them.
class WordDiffReading : public testing::TestWithParam<DiffCase> {};

TEST_P(WordDiffReading, KeepsChangedWordsApart) {
    const DiffCase& c = GetParam();
    EXPECT_EQ(marked(WordDiff::forReading(
                  WordDiff::compare(QString::fromUtf8(c.before), QString::fromUtf8(c.after)))),
              QString::fromUtf8(c.marked));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WordDiffReading,
    testing::Values(
        DiffCase{"name_changed", "Mara said.", "Maren said.", "[Mara] {Maren} said."},
        DiffCase{"words_changed", "It was more than nothing.", "It was more than Nothing at all.",
                 "It was more than [nothing] {Nothing at all}."},
        DiffCase{"mark_changed", "Stop, she said.", "Stop! she said.", "Stop[,] {!} she said."},
        DiffCase{"removed_only", "She ran home.", "She ran.", "She ran[ home]."},
        DiffCase{"added_only", "She ran.", "She ran home.", "She ran{ home}."},
        DiffCase{"blank_between", "a b", "a  b", "a[ ]{  }b"},
        DiffCase{"new_paragraph", "One.\nTwo.", "One.\nNew.\nTwo.", "One.\n{New.\n}Two."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WordDiff, LongTextsChangedAtBothEndsGoParagraphByParagraph) {
    // Changes at the first and the last paragraph leave everything between to compare: far
    // more than one table may hold, so the paragraphs are matched first.
    QStringList paragraphs;
    for (int i = 0; i < 600; ++i)
        paragraphs << u"Paragraph %1 tells of the harbour and the boats that lay there."_s.arg(i);
    QStringList changed = paragraphs;
    changed.front().replace(u"harbour"_s, u"quay"_s);
    changed.back().replace(u"boats"_s, u"ships"_s);
    changed.insert(300, u"A new paragraph."_s);
    const QString before = paragraphs.join(u'\n');
    const QString after = changed.join(u'\n');

    const Pieces pieces = WordDiff::compare(before, after);
    EXPECT_EQ(spelt(pieces, Kind::Added), before);
    EXPECT_EQ(spelt(pieces, Kind::Removed), after);
    QStringList removed;
    QStringList added;
    for (const WordDiff::Piece& p : pieces)
        if (p.kind == Kind::Removed)
            removed << p.text;
        else if (p.kind == Kind::Added)
            added << p.text;
    EXPECT_EQ(removed, (QStringList{u"harbour"_s, u"boats"_s}));
    EXPECT_EQ(added, (QStringList{u"quay"_s, u"A new paragraph.\n"_s, u"ships"_s}));
}

} // namespace

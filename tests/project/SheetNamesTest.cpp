#include "project/SheetNames.h"
#include "support/IndexNames.h"
#include "support/ProjectFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct NormalCase {
    const char* typed;
    const char* stored;
};

class NormalizedNames : public testing::TestWithParam<NormalCase> {};

TEST_P(NormalizedNames, HaveOneBlankBetweenWordsAndNoneAround) {
    EXPECT_EQ(SheetNames::NormalizeName(QString::fromUtf8(GetParam().typed)),
              QString::fromUtf8(GetParam().stored));
}

INSTANTIATE_TEST_SUITE_P(Names, NormalizedNames,
                         testing::Values(NormalCase{"  Two   words  ", "Two words"},
                                         NormalCase{"One", "One"}, NormalCase{"   ", ""},
                                         // Tabs and line breaks pasted in are blanks too.
                                         NormalCase{"A\tB\r\nC", "A B C"},
                                         NormalCase{"\xC3\x89lan  vital", "\xC3\x89lan vital"}),
                         IndexNames());

TEST(SheetNames, LeaveOutTheNineCharactersFileNamesForbid) {
    EXPECT_EQ(SheetNames::withoutForbidden(QStringLiteral("a\"b*c/d:e<f>g?h\\i|j")),
              QStringLiteral("abcdefghij"));
    EXPECT_EQ(SheetNames::withoutForbidden(QStringLiteral("Q&A. (draft) #2")),
              QStringLiteral("Q&A. (draft) #2"));
}

// Which names a sheet may take in a project holding the sheets "Chapter One" and "Storm", the
// text of "Chapter One" and a text file no sheet owns.
struct CheckCase {
    const char* name;
    const char* oldName; // "" for a new sheet
    SheetNames::Verdict verdict;
};

class NameCheck : public testing::TestWithParam<CheckCase> {
protected:
    void SetUp() override {
        const QString folder = project();
        ProjectFiles::write(folder + QStringLiteral("Kerfa Files/Chapter One.kfa"), "");
        ProjectFiles::write(folder + QStringLiteral("Kerfa Files/Storm.kfa"), "");
        ProjectFiles::write(folder + QStringLiteral("Text Files/Chapter One.txt"), "text");
        ProjectFiles::write(folder + QStringLiteral("Text Files/Orphan.txt"), "text");
    }
    QString project() const { return m_dir.path() + u'/'; }

    QTemporaryDir m_dir;
};

TEST_P(NameCheck, FollowsTheRules) {
    const CheckCase& c = GetParam();
    EXPECT_EQ(SheetNames::check(QString::fromUtf8(c.name), QString::fromUtf8(c.oldName), project()),
              c.verdict);
}

using V = SheetNames::Verdict;
INSTANTIATE_TEST_SUITE_P(
    Names, NameCheck,
    testing::Values(CheckCase{"Harbour", "", V::Accept},
                    CheckCase{"COMPILATION", "", V::NotCompilation},
                    CheckCase{"compilation", "Storm", V::NotCompilation},
                    CheckCase{"Unnamed", "", V::UniqueName},
                    CheckCase{"unnamed", "Storm", V::UniqueName}, CheckCase{"", "", V::UniqueName},
                    // Another sheet's name in any letter case.
                    CheckCase{"storm", "", V::Taken}, CheckCase{"CHAPTER ONE", "Storm", V::Taken},
                    // The same sheet in other letters.
                    CheckCase{"chapter one", "Chapter One", V::Accept},
                    CheckCase{"Chapter One", "Chapter One", V::Accept},
                    // A new sheet takes up a text file no sheet owns; a renamed one brings its own.
                    CheckCase{"Orphan", "", V::Accept}, CheckCase{"orphan", "Storm", V::Taken}),
    IndexNames());

TEST_F(NameCheck, AChangeOfCaseNeverLandsOnAnotherSheetsFiles) {
    // Made by hand on a file system that tells letter case apart.
    ProjectFiles::write(project() + QStringLiteral("Kerfa Files/chapter one.kfa"), "other");
    EXPECT_EQ(
        SheetNames::check(QStringLiteral("chapter one"), QStringLiteral("Chapter One"), project()),
        V::Taken);
}

TEST_F(NameCheck, RenamesMoveBothFilesAndNeverOverwrite) {
    SheetNames::renameFiles(project(), QStringLiteral("Chapter One"),
                            QStringLiteral("chapter one"));
    EXPECT_TRUE(QFile::exists(project() + QStringLiteral("Kerfa Files/chapter one.kfa")));
    EXPECT_FALSE(QFile::exists(project() + QStringLiteral("Kerfa Files/Chapter One.kfa")));
    EXPECT_EQ(ProjectFiles::read(project() + QStringLiteral("Text Files/chapter one.txt")), "text");

    // Storm has no text: its sheet file moves alone. Nothing is written over Orphan.txt.
    ProjectFiles::write(project() + QStringLiteral("Text Files/Storm.txt"), "storm");
    SheetNames::renameFiles(project(), QStringLiteral("Storm"), QStringLiteral("Orphan"));
    EXPECT_EQ(ProjectFiles::read(project() + QStringLiteral("Text Files/Orphan.txt")), "text");
    EXPECT_EQ(ProjectFiles::read(project() + QStringLiteral("Text Files/Storm.txt")), "storm");
    EXPECT_TRUE(QFile::exists(project() + QStringLiteral("Kerfa Files/Orphan.kfa")));
}

} // namespace

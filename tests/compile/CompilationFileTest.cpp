#include "compile/CompilationFile.h"
#include "compile/SheetSearch.h"
#include "compile/Utf8Text.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using Include = CompilationFile::Include;

// A project folder with sheet files and text files written as given.
class Project {
public:
    Project() {
        QDir().mkpath(folder() + QStringLiteral("Kerfa Files"));
        QDir().mkpath(folder() + QStringLiteral("Text Files"));
    }
    QString folder() const { return m_dir.path() + u'/'; }
    void sheetFile(const QString& name, const QByteArray& description) const {
        write(QStringLiteral("Kerfa Files/") + name + QStringLiteral(".kfa"),
              "[StateData]\r\nType=0\r\n[Description]\r\nText=" + description + "\r\n");
    }
    void textFile(const QString& name, const QByteArray& text) const {
        write(QStringLiteral("Text Files/") + name + QStringLiteral(".txt"), text);
    }
    void write(const QString& relative, const QByteArray& bytes) const {
        QFile file(folder() + relative);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    std::optional<QByteArray> compose(const QStringList& names, Include include) const {
        return CompilationFile::compose(names, include, [this](const QString& name, Include i) {
            return CompilationFile::readFiles(folder(), name, i);
        });
    }

private:
    QTemporaryDir m_dir;
};

// A: description First, text Alpha. B: an empty description and an empty text file.
// C: description Third, a text of two lines (with a lone LF, and blanks around it).
void writeThreeSheets(const Project& project) {
    project.sheetFile(QStringLiteral("A"), "First");
    project.textFile(QStringLiteral("A"), "Alpha");
    project.sheetFile(QStringLiteral("B"), "   ");
    project.textFile(QStringLiteral("B"), " \r\n\t\r\n");
    project.sheetFile(QStringLiteral("C"), " Third ");
    project.textFile(QStringLiteral("C"),
                     "\r\n  first line of C's text\n  second line of C's text\r\n\r\n");
}

struct LayoutCase {
    const char* name;
    Include include;
    QStringList lines; // each ended by CR LF in the file
};

class CompilationLayout : public testing::TestWithParam<LayoutCase> {};

TEST_P(CompilationLayout, WritesEachSheetAsTheTableSays) {
    Project project;
    writeThreeSheets(project);
    const std::optional<QByteArray> out = project.compose(
        {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}, GetParam().include);
    ASSERT_TRUE(out);
    EXPECT_EQ(*out,
              (GetParam().lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8());
}

INSTANTIATE_TEST_SUITE_P(
    Includes, CompilationLayout,
    testing::Values(LayoutCase{"Both",
                               {true, true},
                               {"A: First", "", "Alpha", "", "", "B: No Description.", "",
                                "B: No Content.", "", "", "C: Third", "", "first line of C's text",
                                "  second line of C's text"}},
                    // Every description line is followed by an empty line, the last one's too.
                    LayoutCase{"OnlyDescriptions",
                               {true, false},
                               {"A: First", "", "B: No Description.", "", "C: Third", ""}},
                    LayoutCase{"OnlyContent",
                               {false, true},
                               {"Alpha", "", "", "B: No Content.", "", "", "first line of C's text",
                                "  second line of C's text"}}),
    [](const testing::TestParamInfo<LayoutCase>& info) { return info.param.name; });

TEST(CompilationFile, EntriesWithoutFilesGiveNothing) {
    Project project;
    project.textFile(QStringLiteral("Text"), "Words");
    // A sheet with neither file: nothing at all, so nothing is written.
    EXPECT_EQ(project.compose({QStringLiteral("Ghost")}, {true, true}), QByteArray());
    // With only the content, the texts are kept apart by two empty lines even when the last
    // entry gives nothing, and none follow the list's last entry.
    EXPECT_EQ(project.compose({QStringLiteral("Text"), QStringLiteral("Ghost")}, {false, true}),
              QByteArray("Words\r\n\r\n\r\n"));
    EXPECT_EQ(project.compose({QStringLiteral("Ghost"), QStringLiteral("Text")}, {false, true}),
              QByteArray("Words\r\n"));
}

TEST(CompilationFile, NeverCompilesAnEntryNamedCompilation) {
    QStringList asked;
    const auto source = [&asked](const QString& name, Include) {
        asked << name;
        return std::optional<CompilationFile::Sheet>(
            CompilationFile::Sheet{QStringLiteral("About ") + name, QByteArray("Text")});
    };
    const std::optional<QByteArray> out = CompilationFile::compose(
        {"compilation", "COMPILATION", "Storm", "Compilation", "Compilatión"}, {true, false},
        source);
    ASSERT_TRUE(out);
    // Only A to Z fold: an accented letter makes another name.
    EXPECT_EQ(asked, (QStringList{"Storm", "Compilatión"}));
    EXPECT_EQ(*out,
              QStringLiteral("Storm: About Storm\r\n\r\nCompilatión: About Compilatión\r\n\r\n")
                  .toUtf8());
}

TEST(CompilationFile, ATextThatCannotBeReadFailsTheCompilation) {
    Project project;
    project.sheetFile(QStringLiteral("A"), "First");
    // A folder where the text file should be: it exists but cannot be read as a file.
    QDir().mkpath(project.folder() + QStringLiteral("Text Files/A.txt"));
    EXPECT_FALSE(project.compose({QStringLiteral("A")}, {true, true}));
    // Without the content it is not read at all.
    EXPECT_EQ(project.compose({QStringLiteral("A")}, {true, false}),
              QByteArray("A: First\r\n\r\n"));
}

TEST(CompilationFile, WritingReplacesTheFileWholeAndNeedsTheTextFolder) {
    Project project;
    const QString path = project.folder() + QStringLiteral("Text Files/Compilation.txt");
    EXPECT_EQ(CompilationFile::path(project.folder()), path);
    ASSERT_TRUE(CompilationFile::write(project.folder(), "A much longer first compilation\r\n"));
    ASSERT_TRUE(CompilationFile::write(project.folder(), "Second\r\n"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("Second\r\n"));
    file.close();
    QDir(project.folder() + QStringLiteral("Text Files")).removeRecursively();
    EXPECT_FALSE(CompilationFile::write(project.folder(), "Third\r\n"));
}

TEST(Utf8Text, ReadsTheTextAsTheEditorWould) {
    Project project;
    // Windows-1252 (an e acute and a euro sign), and UTF-8 with a byte-order mark.
    project.textFile(QStringLiteral("Old"), "Caf\xE9 \x80"
                                            "5");
    project.textFile(QStringLiteral("New"), "\xEF\xBB\xBF"
                                            "Caf\xC3\xA9");
    const QString texts = project.folder() + QStringLiteral("Text Files/");
    EXPECT_EQ(Utf8Text::read(texts + QStringLiteral("Old.txt")),
              QStringLiteral("Café €5").toUtf8());
    EXPECT_EQ(Utf8Text::read(texts + QStringLiteral("New.txt")), QStringLiteral("Café").toUtf8());
    bool missing = false;
    EXPECT_FALSE(Utf8Text::read(texts + QStringLiteral("None.txt"), &missing));
    EXPECT_TRUE(missing);
}

TEST(Utf8Text, MakesEveryLineBreakCrLfAndTrimsBlanks) {
    const std::pair<QByteArray, QByteArray> breaks[] = {
        {"a\r\nb", "a\r\nb"},
        {"a\nb", "a\r\nb"},
        {"a\rb", "a\r\nb"},
        {"a\r\n\nb\r", "a\r\n\r\nb\r\n"},
        {"\n", "\r\n"},
        {"a\r\n\rb", "a\r\n\r\nb"},
        {"", ""},
    };
    for (const auto& [in, out] : breaks)
        EXPECT_EQ(Utf8Text::toCrLf(in), out) << in.toStdString();
    EXPECT_EQ(Utf8Text::trimmed(" \t\x01\r\nText\r\n inside \x1F\r\n"),
              QByteArrayView("Text\r\n inside"));
    EXPECT_TRUE(Utf8Text::trimmed(" \r\n ").isEmpty());
}

struct SearchCase {
    const char* findText;
    bool matchCase;
    QByteArray file; // as written on disk
    bool found;
};

class SheetSearchCases : public testing::TestWithParam<SearchCase> {};

TEST_P(SheetSearchCases, FindsInFilesAsInEditorTexts) {
    Project project;
    project.textFile(QStringLiteral("Sheet"), GetParam().file);
    const SheetSearch search(QString::fromUtf8(GetParam().findText), GetParam().matchCase);
    const std::optional<bool> inFile =
        search.inFile(project.folder() + QStringLiteral("Text Files/Sheet.txt"));
    ASSERT_TRUE(inFile);
    EXPECT_EQ(*inFile, GetParam().found);
    // The same text in an editor: decoded, with its breaks as the editor holds them.
    const std::optional<QByteArray> text =
        Utf8Text::read(project.folder() + QStringLiteral("Text Files/Sheet.txt"));
    EXPECT_EQ(search.inText(
                  QString::fromUtf8(*text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"))),
              GetParam().found);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SheetSearchCases,
    testing::Values(
        SearchCase{"anna", false, "She saw ANNA there", true},
        SearchCase{"anna", true, "She saw ANNA there", false},
        SearchCase{"ANNA", true, "She saw ANNA there", true},
        SearchCase{"Anna", false, "Ann a", false}, SearchCase{"ann", false, "xxAnNa", true},
        SearchCase{"a", false, "A", true}, SearchCase{"aaab", false, "aaaaAAAB", true},
        // Only A to Z fold: an accented capital is not its small letter.
        SearchCase{"élan", false, "ÉLAN", false}, SearchCase{"élan", false, "éLAN", true},
        // Windows-1252 on disk: É as one byte.
        SearchCase{"Élan", true, "\xC9lan", true}, SearchCase{"élan", false, "\xC9lan", false},
        // Searched as a whole: never across a line break.
        SearchCase{"the lamp", false, "the\r\nlamp", false},
        SearchCase{"lamp", false, "the\r\nLAMP", true}, SearchCase{"lamp.", false, "lamp", false}));

TEST(SheetSearch, MissingAndUnreadableFiles) {
    Project project;
    const SheetSearch search(QStringLiteral("Anna"), false);
    EXPECT_EQ(search.inFile(project.folder() + QStringLiteral("Text Files/None.txt")), false);
    QDir().mkpath(project.folder() + QStringLiteral("Text Files/Folder.txt"));
    EXPECT_FALSE(search.inFile(project.folder() + QStringLiteral("Text Files/Folder.txt")));
    // An empty find text finds nothing.
    project.textFile(QStringLiteral("Sheet"), "Anna");
    EXPECT_EQ(SheetSearch(QString(), false)
                  .inFile(project.folder() + QStringLiteral("Text Files/Sheet.txt")),
              false);
    EXPECT_FALSE(SheetSearch(QString(), true).inText(QStringLiteral("Anna")));
}

} // namespace

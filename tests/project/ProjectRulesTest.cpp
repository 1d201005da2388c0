#include "project/ProjectNames.h"
#include "project/ProjectState.h"
#include "project/ProjectWindowState.h"
#include "support/IndexNames.h"

#include <gtest/gtest.h>

namespace {

// The File and Tools menus for every condition a project can be in.
struct StateCase {
    const char* fileName;
    bool freshStart;
    bool modified;
    bool sheets;
    bool newProject;
    bool save;
    bool saveAs;
    bool backup;
    bool tools;
};

class WindowStateTable : public testing::TestWithParam<StateCase> {};

TEST_P(WindowStateTable, EnablesTheCommandsTheProjectAllows) {
    const StateCase& c = GetParam();
    ProjectState project;
    project.projectFileName = QString::fromUtf8(c.fileName);
    project.freshStart = c.freshStart;
    project.modified = c.modified;
    const ProjectWindowState state = ProjectWindowState::of(project, false, c.sheets);
    EXPECT_EQ(state.newProject, c.newProject);
    EXPECT_EQ(state.save, c.save);
    EXPECT_EQ(state.saveAs, c.saveAs);
    EXPECT_EQ(state.backup, c.backup);
    EXPECT_EQ(state.tools, c.tools);
}

INSTANTIATE_TEST_SUITE_P(
    Conditions, WindowStateTable,
    testing::Values(
        // Unnamed, fresh start, unmodified.
        StateCase{"unnamed", true, false, false, false, false, true, false, false},
        // Unnamed with any other flags, also when the name is written in capitals.
        StateCase{"unnamed", true, true, false, true, false, true, false, false},
        StateCase{"Unnamed", false, false, false, true, false, true, false, false},
        StateCase{"UNNAMED", false, true, true, true, false, true, false, false},
        // Named, unmodified, with and without sheets.
        StateCase{"Novel.kerfa", false, false, true, true, false, false, true, true},
        StateCase{"Novel.kerfa", false, false, false, true, false, false, true, false},
        // Named and modified.
        StateCase{"Novel.kerfa", false, true, true, true, true, false, true, true},
        StateCase{"Novel.kerfa", false, true, false, true, true, false, true, false}),
    IndexNames());

struct CaptionCase {
    const char* theme; // "" for the built-in theme
    const char* fileName;
    bool modified;
    const char* caption;
};

class Caption : public testing::TestWithParam<CaptionCase> {};

TEST_P(Caption, NamesThemeAndProject) {
    const CaptionCase& c = GetParam();
    ProjectState project;
    project.projectFileName = QString::fromUtf8(c.fileName);
    project.projectTheme = QString::fromUtf8(c.theme);
    project.modified = c.modified;
    EXPECT_EQ(ProjectWindowState::captionOf(project, *c.theme != 0).toStdString(), c.caption);
}

const std::string kLong = std::string(60, 'x') + ".kerfa";
const std::string kLongCaption = "Kerfa Book: '" + std::string(50, 'x') + "...'";

INSTANTIATE_TEST_SUITE_P(
    Captions, Caption,
    testing::Values(
        CaptionCase{"", "unnamed", false, "Kerfa Book: 'unnamed'"},
        CaptionCase{"", "Novel.kerfa", true, "Kerfa Book: 'Novel' *"},
        CaptionCase{"Screenplay.ini", "Novel.kerfa", false, "Kerfa Screenplay: 'Novel'"},
        CaptionCase{"Screenplay.ini", "Novel.kerfa", true, "Kerfa Screenplay: 'Novel' *"},
        // Only the first ".kerfa" in exactly that case goes.
        CaptionCase{"", "Novel.KERFA", false, "Kerfa Book: 'Novel.KERFA'"},
        CaptionCase{"", "A.kerfa.kerfa", false, "Kerfa Book: 'A.kerfa'"},
        CaptionCase{"", kLong.c_str(), false, kLongCaption.c_str()}),
    IndexNames());

TEST(ProjectNames, ProjectFileNamesAPathOpens) {
    EXPECT_EQ(ProjectNames::projectFileName(QStringLiteral("Novel")), "Novel.kerfa");
    EXPECT_EQ(ProjectNames::projectFileName(QStringLiteral("Novel.kerfa")), "Novel.kerfa");
    EXPECT_EQ(ProjectNames::projectFileName(QStringLiteral("Novel.KERFA")), "Novel.KERFA");
    EXPECT_EQ(ProjectNames::projectFileName(QStringLiteral("Novel.txt")), QString());
    EXPECT_EQ(ProjectNames::projectFileName(QStringLiteral("Novel.kerfa.bak")), QString());
}

TEST(ProjectNames, SaveAsRefusesOnlyAStemOfUnnamed) {
    for (const char* refused : {"unnamed.kerfa", "UNNAMED.kerfa", "unNamed.kerfa"})
        EXPECT_TRUE(ProjectNames::isReservedForSaveAs(QString::fromUtf8(refused))) << refused;
    // With the extension in other letters there is no stem to refuse; other names pass.
    for (const char* allowed : {"unnamed.KERFA", "unnamed", "unnamed.txt", "Unnamed Book.kerfa"})
        EXPECT_FALSE(ProjectNames::isReservedForSaveAs(QString::fromUtf8(allowed))) << allowed;
}

TEST(ProjectNames, BackupFolderIsNamedByStemDateAndTwelveHourTime) {
    const QDateTime afternoon(QDate(2009, 3, 3), QTime(14, 5, 9));
    EXPECT_EQ(ProjectNames::backupFolderName(QStringLiteral("Novel.kerfa"), afternoon),
              QStringLiteral("Novel (03-03-09 @ 02.05.09 PM)"));
    const QDateTime morning(QDate(2024, 12, 31), QTime(0, 30, 0));
    EXPECT_EQ(ProjectNames::backupFolderName(QStringLiteral("My.Book.kerfa"), morning),
              QStringLiteral("My.Book (31-12-24 @ 12.30.00 AM)"));
}

} // namespace
